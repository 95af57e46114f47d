// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/page_layout.h"

#include <algorithm>
#include <cstdint>

namespace tavolini {
namespace {

constexpr int WideScreen = 1024;
constexpr int NarrowScreen = 640;
constexpr int PageRightMargin = 8;
constexpr int ColumnGap = 10;
constexpr int AnswerBoxMargin = 10;
// A fitted page leaves room for its scroll bar where the browser shows one.
constexpr int ScrollBarRoom = 16;

int designedRowWidth(int screenWidth, int mainPanelWidth) {
    // A screen narrower than the panel would give rows no width at all.
    return std::max(1, (screenWidth - mainPanelWidth) / 2 - 24);
}

// Rows in a column: a sheet's two columns stand in one on a one-column page.
int rowsPerColumn(const PageState& page) {
    return page.columns == 1 ? 2 * page.rowsPerScreen : page.rowsPerScreen;
}

} // namespace

void setPageGeometry(PageState& page, int screenWidth, int mainPanelWidth) {
    setDesignedColumns(page, screenWidth, mainPanelWidth);
    page.rowHeight = 70;
    page.rowsPerScreen = screenWidth == WideScreen ? 8 : 6;
    page.equationLimit = screenWidth == WideScreen     ? WidestEquationLimit
                         : screenWidth == NarrowScreen ? 12
                                                       : 24;
}

void setDesignedColumns(PageState& page, int screenWidth, int mainPanelWidth) {
    page.rowWidth = designedRowWidth(screenWidth, mainPanelWidth);
    page.columns = 2;
}

void fitPageColumns(PageState& page, int pageWidth) {
    const int usable = std::max(1, pageWidth - 2 * RowLeft - ScrollBarRoom);
    page.columns = (usable - ColumnGap + RowLeft) / 2 >= TwoColumnRowWidth ? 2 : 1;
    page.rowWidth = page.columns == 2 ? (usable - ColumnGap + RowLeft) / 2 : usable;
}

PageRect pageBounds(const PageSetup& setup) {
    return {setup.mainPanel.width, setup.mainPanel.top,
            setup.mainWindowWidth - setup.mainPanel.width - PageRightMargin, setup.mainPanel.height};
}

int rowImageCount(const PageState& page) {
    return 4 * page.rowsPerScreen;
}

std::optional<PageRect> rowImageRect(const PageState& page, int n) {
    const int rows = rowsPerColumn(page);
    if (n < 1 || n > rowImageCount(page)) return std::nullopt;
    if (n <= ProblemRows) {
        // The problem's two rows stand beside the brace, as high as a problem row.
        return PageRect{RowLeft, KakkoRect.top + (n - 1) * 50, page.rowWidth, 50};
    }
    const int column = (n - 1) / rows; // sheet 1 first, then sheet 2
    const int k = (n - 1) % rows;
    const int left = column % page.columns == 0 ? RowLeft : page.rowWidth + ColumnGap;
    const int sheetTop = column < page.columns ? 0 : Page2Height + page.rowHeight * rows;
    return PageRect{left, sheetTop + k * page.rowHeight, page.rowWidth, page.rowHeight - 1};
}

PageRect page2Rect(const PageState& page) {
    return {RowLeft, page.rowHeight * rowsPerColumn(page), Page2Width, Page2Height};
}

int firstRowOfSheet2(const PageState& page) {
    return 2 * page.rowsPerScreen + 1;
}

PageRect messageRect(const PageState& page) {
    return {MessRect.left, MessRect.top, page.rowWidth, MessRect.height};
}

int answerBoxWidth(const PageState& page) {
    return std::clamp(page.rowWidth, 1, KaiRect.width);
}

PageRect inAnswerBox(const PageState& page, PageRect designed) {
    designed.width = std::max(1, designed.width - (KaiRect.width - answerBoxWidth(page)));
    return designed;
}

std::optional<PageRect> answerRowRect(const PageState& page, int n) {
    if (n == SolutionSlotX) return inAnswerBox(page, AnswerRect1);
    if (n == SolutionSlotY) return inAnswerBox(page, AnswerRect2);
    return std::nullopt;
}

std::optional<PageRect> rowOnSheet(const PageState& page, int n, std::optional<PagePoint> answerBox) {
    std::optional<PageRect> answer = answerRowRect(page, n);
    if (!answer) return rowImageRect(page, n);
    if (!answerBox) return std::nullopt;
    answer->left += answerBox->x;
    answer->top += answerBox->y;
    return answer;
}

PagePoint answerBoxPosition(const PageState& page, int n, int pageWidth) {
    const int rows = page.rowsPerScreen;
    const int limit = page.equationLimit;
    const int width = answerBoxWidth(page);
    const std::optional<PageRect> cornerRow = rowImageRect(page, limit - 2);
    PagePoint corner{pageWidth - width - AnswerBoxMargin, cornerRow ? cornerRow->top - AnswerBoxMargin : 0};
    if (cornerRow) corner.x = std::min(corner.x, cornerRow->left + cornerRow->width - width);

    int target = 0;
    if (page.columns == 1 && n >= 0 && n <= limit - 1)
        target = n + 1; // below the last step: there is no right column to go to
    else if (n < rows - 2)
        target = n + 1;
    else if (n <= rows)
        target = rows + 1;
    else if (n <= limit - 1)
        target = n + 1;
    // A row that does not exist (n below 0) leaves the box in the corner.
    const std::optional<PageRect> row = target > 0 ? rowImageRect(page, target) : std::nullopt;
    if (!row) return corner;
    return {row->left, row->top};
}

PageRect sheetRect(const PageState& page, std::optional<PagePoint> answerBox) {
    const std::optional<PageRect> lastRow = rowImageRect(page, rowImageCount(page));
    int width = page.columns * (page.rowWidth + RowLeft) + 4;
    int height = lastRow ? lastRow->top + lastRow->height + RowLeft : 0;
    if (answerBox) {
        width = std::max(width, answerBox->x + answerBoxWidth(page) + RowLeft);
        height = std::max(height, answerBox->y + KaiRect.height + RowLeft);
    }
    return {0, 0, width, height};
}

std::optional<int> scrollToShow(int scrollTop, int viewHeight, const PageRect& rect) {
    const std::int64_t bottom = static_cast<std::int64_t>(rect.top) + rect.height;
    if (rect.top >= scrollTop && bottom <= static_cast<std::int64_t>(scrollTop) + viewHeight)
        return std::nullopt;
    if (rect.top < scrollTop || rect.height >= viewHeight) return rect.top;
    return static_cast<int>(bottom - viewHeight);
}

} // namespace tavolini
