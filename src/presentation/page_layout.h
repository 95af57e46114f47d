// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "presentation/page_state.h"

#include <optional>

namespace tavolini {

struct PagePoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const PagePoint&, const PagePoint&) = default;
};

struct PageRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PageRect&, const PageRect&) = default;
};

// What the page window is placed by: the screen and the main window with
// its left panel of controls.
struct PageSetup {
    int screenWidth = 1024;
    int mainWindowWidth = 1024;
    PageRect mainPanel{0, 0, 145, 684};
};

// The controls as designed.
inline constexpr PageRect KakkoRect{8, 30, 25, 100};
inline constexpr PageRect MessRect{8, 2, 321, 20};
inline constexpr PageRect KaiRect{352, 240, 305, 153};
inline constexpr PageRect AnswerRect1{8, 32, 295, 50};
inline constexpr PageRect AnswerRect2{8, 82, 295, 50};
inline constexpr PageRect KotaeKakkoRect{8, 32, 70, 100};
inline constexpr PageRect StarRectX{10, 16, 288, 12};
inline constexpr PageRect StarRectY{10, 136, 288, 12};
inline constexpr int StarCount = 24; // the stars above and below the answers
inline constexpr int Page2Width = 57;
inline constexpr int Page2Height = 20;
inline constexpr int RowLeft = 8;
inline constexpr int ProblemRows = 2; // rows 1 and 2, beside the brace
inline constexpr int LargestRowNumber = 32;

// The drill's budget on the widest screen: no page lets a problem reach a
// higher equation number.
inline constexpr int WidestEquationLimit = 32;

// Fixes rowWidth, rowHeight, rowsPerScreen and equationLimit from the screen.
void setPageGeometry(PageState& page, int screenWidth, int mainPanelWidth);

// The designed rows again, for a screen now `screenWidth` wide: two columns
// of the designed width. The drill's limits stay as they were fixed.
void setDesignedColumns(PageState& page, int screenWidth, int mainPanelWidth);

// Rows fitted to a page `pageWidth` wide that is not laid out as designed (a
// phone, a tablet): two columns where each is at least TwoColumnRowWidth
// wide, else one column holding a sheet's rows in reading order.
inline constexpr int TwoColumnRowWidth = 300;
void fitPageColumns(PageState& page, int pageWidth);

// The page window's place inside the main window.
PageRect pageBounds(const PageSetup& setup);

// The created rows: 4 columns of rowsPerScreen, two sheets of two.
int rowImageCount(const PageState& page);

// Where the row image of equation n stands on the page; nothing when the
// page has no such row (the answer images sit in the answer box instead).
std::optional<PageRect> rowImageRect(const PageState& page, int n);

// The divider between the two sheets, and the first row below it.
PageRect page2Rect(const PageState& page);
int firstRowOfSheet2(const PageState& page);

// The page message: as wide as a row.
PageRect messageRect(const PageState& page);

// Where the answer image of SolutionSlotX or SolutionSlotY stands inside the
// answer box; nothing for other numbers.
std::optional<PageRect> answerRowRect(const PageState& page, int n);

// Where the image of n stands on the sheet: a row, or an answer where the
// answer box stands (nothing while it is hidden).
std::optional<PageRect> rowOnSheet(const PageState& page, int n, std::optional<PagePoint> answerBox);

// The answer box is as designed where a column is wide enough for it, and
// as wide as a column where it is not.
int answerBoxWidth(const PageState& page);

// A control inside the answer box, narrowed as much as the box is.
PageRect inAnswerBox(const PageState& page, PageRect designed);

// Where the answer box goes after equation n: below it, at the top of the
// right column when the left one is full, or in the lower right corner,
// never past the right edge of the last column.
PagePoint answerBoxPosition(const PageState& page, int n, int pageWidth);

// The sheet the page scrolls over: every row, and the answer box where it
// stands (it may reach below the last row or beyond the right column).
PageRect sheetRect(const PageState& page, std::optional<PagePoint> answerBox);

// Where the page must be scrolled to, from `scrollTop`, for the rectangle
// (on the sheet) to be wholly inside a view `viewHeight` high: nothing when
// it is already, else the least move; its top first when it is taller than
// the view.
std::optional<int> scrollToShow(int scrollTop, int viewHeight, const PageRect& rect);

} // namespace tavolini
