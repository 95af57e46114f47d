// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

namespace tavolini {

// The page window's program-wide state: its layout, fixed from the screen
// width when the page is created (a page laid out anew for another size
// changes only its row width and columns), and the outlined row, which the
// command panel and the execute handler set as well.
struct PageState {
    int rowWidth = 0;             // width of every row image and of the page message
    int columns = 2;              // of rows side by side on a sheet: 2 as designed, 1 on a narrow page
    int rowHeight = 70;           // distance between rows; a created row is one pixel less
    int rowsPerScreen = 6;        // rows of one column of a sheet
    int equationLimit = 24;       // highest equation number a problem is meant to reach
    int highlightedEquation = -1; // the outlined row, -1 for none
    int hoverFrozen = 0;          // 1 while the outline must not follow the mouse
};

} // namespace tavolini
