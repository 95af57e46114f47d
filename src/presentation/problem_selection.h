// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "files/problem_set.h"
#include "presentation/canvas.h"
#include "presentation/equation_layout.h"
#include "presentation/page_layout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavolini {

// Problem p of the shown unit stands in images 2p-1 and 2p beside brace p.
inline constexpr int SelectionSlots = MaxProblemsPerUnit;
inline constexpr int PreviewImageCount = 2 * SelectionSlots;

// The dialog's controls as designed, on a sheet of SelectionSheet's size:
// problems 1 to 3 stand in a left column, 4 and 5 in a right one, each a
// brace with its two equations beside it and its button.
inline constexpr PageRect SelectionSheet{0, 0, 790, 510};
inline constexpr PageRect SelectionLabelRect{408, 296, 177, 17};
inline constexpr PageRect SelectionUnitListRect{408, 320, 329, 169};
inline constexpr PageRect SelectionOkRect{48, 432, 81, 33};
inline constexpr PageRect SelectionCancelRect{168, 432, 81, 33};
PageRect selectionBraceRect(int p);
PageRect selectionPreviewRect(int n); // image n: problem (n + 1) / 2, its first or second equation
PageRect selectionButtonRect(int p);

// The dialog's controls on a screen `screenWidth` wide: as designed, with
// buttons large enough for a finger on a touch screen, and in one column
// (the unit list, then the problems one below the other, each button left
// of its brace) on a screen narrower than the designed sheet.
struct SelectionSheetLayout {
    PageRect sheet, label, unitList, ok, cancel;
    std::array<PageRect, SelectionSlots> braces, buttons;
    std::array<PageRect, PreviewImageCount> previews; // image n at n - 1
};
SelectionSheetLayout selectionSheetLayout(int screenWidth, bool touch);

// What the selection dialog remembers between showings.
struct SelectionState {
    std::int32_t dialogUnit = 1; // the unit whose problems are shown
    std::array<std::int32_t, UnitRows> dialogPick = filledRows<std::int32_t>(1); // marked problem by unit
};

// The selection dialog's controls as its rules see them.
class SelectionView {
  public:
    virtual ~SelectionView() = default;

    // The image named "Image" + n (1 to 10), or nothing.
    virtual Canvas* findPreviewImage(int n) = 0;

    // Problem slot p (1 to 5): its brace, its button and its two images.
    virtual void setSlotVisible(int p, bool visible) = 0;

    // Brace p gets the marked (green) or the unmarked picture.
    virtual void setBraceMarked(int p, bool marked) = 0;

    // The unit list: its items, the one selected item, the keyboard focus.
    virtual void setUnitTitles(const std::vector<std::string>& titles) = 0;
    virtual void selectOnlyUnitItem(int index) = 0;
    virtual void focusUnitList() = 0;
};

// Everything the selection rules work with.
struct ProblemSelection {
    ProblemSet& set;
    Algebra& algebra;
    LayoutState& layout;
    SelectionState& state;
    SelectionView& view;
};

// Prepares a showing: the practised unit and its current problem marked,
// the unit titles listed, the previews drawn, the list focused.
void showSelection(ProblemSelection& selection);

// Shows the slots of `dialogUnit` that hold a problem, with their previews,
// and hides the others, which then take no clicks.
void showUnitProblems(ProblemSelection& selection);

// Draws problem p of unit u into images 2p-1 and 2p, through table slot 0.
// An equation that does not parse is shown as its text: the pupil can still
// choose the problem, and starting it reports the fault.
RenExt previewProblem(ProblemSelection& selection, int u, int p);

// Moves the green mark to problem p of the shown unit; a number the unit
// has no problem for is ignored.
void pickProblem(ProblemSelection& selection, int p);

// A click on list item `index` (unit index + 1).
void clickUnit(ProblemSelection& selection, int index);

// OK: the shown unit becomes the practised one, at its marked problem.
// (Cancel writes nothing.)
void acceptSelection(ProblemSelection& selection);

// The unit titles the list shows: up to the first empty one.
std::vector<std::string> listedUnitTitles(const ProblemSet& set);

} // namespace tavolini
