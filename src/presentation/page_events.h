// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string_view>

namespace tavolini {

// What the page window hands on to the command panel: a click on a row
// chooses that equation, and keys typed on the page are entered as on the
// main window, except that none is swallowed.
class PageEvents {
  public:
    virtual ~PageEvents() = default;

    virtual void chooseEquation(int n) = 0;

    // One key press: its code as the keyboard reports it (13 Enter, 27
    // Escape, 46 Delete, 48-57 and 65-90 digits and letters, 96-105 the
    // keypad's digits, 0 for others) and the text it typed (code page 932).
    virtual void pageKey(int keyCode, bool shift, std::string_view text) = 0;

    // While the next-problem button blinks the rows do not follow the mouse.
    virtual bool nextProblemBlinking() const = 0;
};

} // namespace tavolini
