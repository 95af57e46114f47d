// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"
#include "practice/window_layout.h"

#include <functional>

namespace tavolini {

struct Algebra;
struct PageState;
struct PracticeRecords;
struct ProblemSet;

namespace web {

// What the dialogs below are fitted to: the screen, and whether its
// controls are for a finger.
struct DialogScreen {
    Viewport viewport;
    bool touch = false;
};
using ScreenNow = std::function<DialogScreen()>;

// 練習の記録 over the whole window, as the desktop's covers the main window,
// with its deletion dialog over it; the list is read again after an erase.
// Each is fitted to the screen as `screen` says it is whenever it waits.
void showRecords(const ProblemSet& set, PracticeRecords& records, Dialogs& dialogs, const ScreenNow& screen);

// スタックの中身: the equations' tokens as they are held.
void showStack(const Algebra& algebra, const PageState& page, const ScreenNow& screen);

// The one of these dialogs in front, if any, fitted to the screen as it is now.
void fitLookBack(const DialogScreen& screen);

} // namespace web
} // namespace tavolini
