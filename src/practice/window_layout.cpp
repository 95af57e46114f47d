// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/window_layout.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tavolini {
namespace {

constexpr int KeyGap = TouchPitch - TouchKey;
constexpr int Margin = 4;
// The blocks of the touch panel, in keys: the pad with its display on top,
// and the operations with the buttons that follow them.
constexpr int PadColumns = 3;
constexpr int PadRows = 6;
constexpr int SideColumns = 4;
constexpr int SideRows = 6;
constexpr int BlockColumns = PadColumns + SideColumns;
// Where the blocks stand side by side with the equation buttons beside them.
constexpr int WideGrid = BlockColumns + 4;

struct Cell {
    int column, row, columns = 1, rows = 1;
};

int ceilDiv(int a, int b) {
    return (a + b - 1) / b;
}

// The equation buttons beside the blocks on a wide grid, else above them.
bool buttonsBeside(const WindowLayout& window) {
    return window.gridColumns >= WideGrid;
}

int buttonColumns(const WindowLayout& window) {
    return buttonsBeside(window) ? window.gridColumns - BlockColumns : window.gridColumns;
}

int blocksTop(const WindowLayout& window) {
    return buttonsBeside(window) ? 0 : ceilDiv(EquationButtons, buttonColumns(window));
}

PageRect cellRect(const WindowLayout& window, Cell cell) {
    return {Margin + cell.column * window.keyPitch, Margin + cell.row * TouchPitch,
            cell.columns * window.keyPitch - KeyGap, cell.rows * TouchPitch - KeyGap};
}

// A box around its cells, with its keys placed on it.
PageRect boxRect(const WindowLayout& window, Cell cell) {
    const PageRect cells = cellRect(window, cell);
    return {cells.left - KeyGap / 2, cells.top - KeyGap / 2, cells.width + KeyGap, cells.height + KeyGap};
}

PageRect inBox(const WindowLayout& window, Cell cell) {
    PageRect rect = cellRect(window, cell);
    rect.left += KeyGap / 2 - Margin - 1; // inside the box's border
    rect.top += KeyGap / 2 - Margin - 1;
    return rect;
}

Cell padCell(const WindowLayout& window) {
    return {0, blocksTop(window), PadColumns, PadRows};
}

Cell sideCell(const WindowLayout& window) {
    return {PadColumns, blocksTop(window), SideColumns, SideRows};
}

} // namespace

WindowLayout windowLayout(const Viewport& viewport) {
    WindowLayout window;
    window.screenWidth = viewport.width;
    const bool phone = viewport.width < PhoneWidth;
    const int above = MenuBarHeight + PageCaptionHeight; // the menu bar and the caption
    if (!viewport.coarsePointer && !phone) {
        window.pageWidth = std::max(0, viewport.width - PanelWidth);
        window.pageHeight = std::max(0, viewport.height - above);
        return window;
    }
    window.designed = false;
    const int touchAbove = TouchMenuBarHeight + PageCaptionHeight;
    window.panelPlace = phone || viewport.height > viewport.width ? PanelPlace::Below : PanelPlace::Left;
    const int across = window.panelPlace == PanelPlace::Below ? viewport.width - 2 * Margin : 0;
    window.gridColumns = std::max(BlockColumns, across / TouchPitch);
    window.keyPitch = std::max(TouchPitch, across / window.gridColumns);
    const auto panelHeight = [&] { return 2 * Margin + (blocksTop(window) + PadRows) * TouchPitch - KeyGap; };
    // Beside a page too low for the buttons above the blocks (a phone held
    // sideways), the buttons go beside them.
    if (window.panelPlace == PanelPlace::Left && panelHeight() > viewport.height - TouchMenuBarHeight)
        window.gridColumns = WideGrid;
    window.panelWidth = 2 * Margin + window.gridColumns * window.keyPitch - KeyGap;
    window.panelHeight = panelHeight();
    if (window.panelPlace == PanelPlace::Below) {
        window.panelWidth = std::max(window.panelWidth, viewport.width);
        window.pageWidth = viewport.width;
        window.pageHeight = std::max(0, viewport.height - touchAbove - window.panelHeight);
    } else {
        window.pageWidth = std::max(0, viewport.width - window.panelWidth);
        window.pageHeight = std::max(0, viewport.height - touchAbove);
    }
    return window;
}

void layOutPage(PageState& page, const WindowLayout& window) {
    if (window.designed)
        setDesignedColumns(page, window.screenWidth, PanelWidth);
    else
        fitPageColumns(page, window.pageWidth);
}

PageRect equationButtonRect(const WindowLayout& window, int n) {
    if (window.designed) return equationButtonRect(n);
    const int columns = buttonColumns(window);
    const int left = buttonsBeside(window) ? BlockColumns : 0;
    return cellRect(window, {left + (n - 1) % columns, (n - 1) / columns});
}

PageRect operationGroupRect(const WindowLayout& window) {
    if (window.designed) return OperationGroupRect;
    const Cell side = sideCell(window);
    return boxRect(window, {side.column, side.row, SideColumns, 2});
}

PageRect operationRect(const WindowLayout& window, std::size_t place) {
    if (window.designed) return OperationPlaces[place].rect;
    const int i = static_cast<int>(place);
    return inBox(window, {i % SideColumns, i / SideColumns});
}

PageRect panelButtonRect(const WindowLayout& window, const PanelButton& button) {
    if (window.designed) return button.rect;
    // Two keys wide, two to a row below the operations.
    constexpr std::array<const char*, 7> order{
        ExecuteButton.name,    CorrectButton.name,  NextButton.name, ChangeUnitButton.name,
        ScrollDownButton.name, ScrollUpButton.name, PrintButton.name};
    const auto at = std::find_if(order.begin(), order.end(),
                                 [&](const char* name) { return std::string_view(name) == button.name; });
    if (at == order.end()) return button.rect; // not offered on a touch screen
    const int i = static_cast<int>(at - order.begin());
    const Cell side = sideCell(window);
    return cellRect(window, {side.column + 2 * (i % 2), side.row + 2 + i / 2, 2, 1});
}

PageRect numberPadRect(const WindowLayout& window) {
    return window.designed ? NumberPadRect : boxRect(window, padCell(window));
}

PageRect operandDisplayRect(const WindowLayout& window) {
    return window.designed ? OperandDisplayRect : inBox(window, {0, 0, PadColumns, 1});
}

PageRect padKeyRect(const WindowLayout& window, const PadKey& key) {
    if (window.designed) return padKeyRect(key);
    return inBox(window, {key.column, key.row + 1, key.span, 1});
}

} // namespace tavolini
