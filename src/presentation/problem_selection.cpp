// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/problem_selection.h"

#include "core/parser.h"

#include <algorithm>

namespace tavolini {
namespace {

constexpr std::array<PagePoint, SelectionSlots> BraceOrigins{
    {{8, 24}, {8, 144}, {8, 264}, {408, 24}, {408, 144}}};
constexpr std::array<PagePoint, SelectionSlots> ButtonOrigins{
    {{344, 56}, {344, 184}, {344, 304}, {744, 64}, {744, 184}}};
constexpr int PreviewOffset = 24; // from the brace's left edge
constexpr int SecondEquationDrop = 50;

std::size_t slotIndex(int p) {
    return static_cast<std::size_t>(std::clamp(p, 1, SelectionSlots) - 1);
}

} // namespace

PageRect selectionBraceRect(int p) {
    const PagePoint at = BraceOrigins[slotIndex(p)];
    return {at.x, at.y, 25, 100};
}

PageRect selectionPreviewRect(int n) {
    const PagePoint brace = BraceOrigins[slotIndex((n + 1) / 2)];
    return {brace.x + PreviewOffset, brace.y + (n % 2 == 0 ? SecondEquationDrop : 0), 305, 50};
}

PageRect selectionButtonRect(int p) {
    const PagePoint at = ButtonOrigins[slotIndex(p)];
    return {at.x, at.y, 25, 25};
}

namespace {

constexpr int FingerKey = 44;
constexpr int NarrowGap = 4;
constexpr int NarrowListHeight = 140;
constexpr int NarrowButtonWidth = 120;
// What the dialog's frame and the screen's edge take beside a narrow sheet.
constexpr int ScreenRoom = 20;
// The designed sheet needs a screen as wide as the smallest designed one above 640.
constexpr int DesignedScreenWidth = 800;

SelectionSheetLayout designedSheet(bool touch) {
    SelectionSheetLayout sheet{SelectionSheet,
                               SelectionLabelRect,
                               SelectionUnitListRect,
                               SelectionOkRect,
                               SelectionCancelRect,
                               {},
                               {},
                               {}};
    for (int p = 1; p <= SelectionSlots; ++p) {
        sheet.braces[slotIndex(p)] = selectionBraceRect(p);
        sheet.buttons[slotIndex(p)] = selectionButtonRect(p);
    }
    for (int n = 1; n <= PreviewImageCount; ++n)
        sheet.previews[static_cast<std::size_t>(n - 1)] = selectionPreviewRect(n);
    if (touch) {
        // The designed places have room to the right and below for a finger's size.
        for (PageRect& button : sheet.buttons)
            button.width = button.height = FingerKey;
        sheet.ok.height = sheet.cancel.height = FingerKey;
    }
    return sheet;
}

} // namespace

SelectionSheetLayout selectionSheetLayout(int screenWidth, bool touch) {
    if (screenWidth >= DesignedScreenWidth) return designedSheet(touch);
    const int braceLeft = 2 * NarrowGap + FingerKey;
    const int previewLeft = braceLeft + PreviewOffset;
    // No wider than a designed preview needs.
    const int width = std::clamp(screenWidth - ScreenRoom, 2 * NarrowButtonWidth + 3 * NarrowGap,
                                 previewLeft + selectionPreviewRect(1).width + NarrowGap);
    const int key = touch ? FingerKey : 25;
    SelectionSheetLayout sheet{};
    sheet.label = {NarrowGap, NarrowGap, SelectionLabelRect.width, SelectionLabelRect.height};
    sheet.unitList = {NarrowGap, 2 * NarrowGap + SelectionLabelRect.height, width - 2 * NarrowGap,
                      NarrowListHeight};
    int top = sheet.unitList.top + NarrowListHeight + 2 * NarrowGap;
    for (int p = 1; p <= SelectionSlots; ++p) {
        const PageRect designed = selectionBraceRect(p);
        sheet.buttons[slotIndex(p)] = {NarrowGap, top + (designed.height - key) / 2, key, key};
        sheet.braces[slotIndex(p)] = {braceLeft, top, designed.width, designed.height};
        for (int n : {2 * p - 1, 2 * p})
            sheet.previews[static_cast<std::size_t>(n - 1)] = {previewLeft,
                                                               top + (n % 2 == 0 ? SecondEquationDrop : 0),
                                                               width - previewLeft - NarrowGap, 50};
        top += designed.height + 2 * NarrowGap;
    }
    const int buttonHeight = touch ? FingerKey : SelectionOkRect.height;
    sheet.ok = {NarrowGap, top, NarrowButtonWidth, buttonHeight};
    sheet.cancel = {2 * NarrowGap + NarrowButtonWidth, top, NarrowButtonWidth, buttonHeight};
    sheet.sheet = {0, 0, width, top + buttonHeight + NarrowGap};
    return sheet;
}
namespace {

// A preview is cleared down to the height of a page row, whatever its own.
constexpr int PreviewClearHeight = 70;
constexpr int RawTextSize = 12;

bool isUnit(int u) {
    return u >= 1 && u <= MaxUnits;
}

bool isSlot(int p) {
    return p >= 1 && p <= SelectionSlots;
}

std::size_t row(int i) {
    return static_cast<std::size_t>(i);
}

int problemCount(const ProblemSet& set, int u) {
    if (!isUnit(u)) return 0;
    return std::clamp<int>(set.problemCounts[row(u)], 0, SelectionSlots);
}

// The problem marked when unit u is shown: the one being practised there,
// or the first when that number is not one of the unit's problems.
int currentPick(const ProblemSet& set, int u) {
    const int p = isUnit(u) ? set.problemNumbers[row(u)] : 1;
    return p >= 1 && p <= problemCount(set, u) ? p : 1;
}

void drawRawText(Canvas& image, std::string_view text) {
    CanvasFont font = clearedSurfaceFont();
    font.size = RawTextSize;
    image.setFont(font);
    drawRowText(image, 0, 1, shownLine(text));
}

// Parses the text into slot 0 and draws it into image n. The slot number
// handed to the layout is the image's number, so problem 1 gets the prefix
// of the page's equations 1 and 2.
void drawPreview(ProblemSelection& selection, Algebra& parsing, int n, std::string_view text, bool decimals) {
    MShiki& scratch = selection.algebra.EquationTable[row(ScratchSlot)];
    Messages unshown; // a glance at a list, not a problem being started
    const bool parsed = parseEquation(parsing, scratch, text, unshown);
    if (!parsed) scratch.count = 0;     // no half-read equation left in the table
    parsing.hasDecimalPoint = decimals; // as the page will draw the problem
    Canvas* image = selection.view.findPreviewImage(n);
    if (image == nullptr) return;
    image->clear();
    image->fillRect(0, 0, image->width(), PreviewClearHeight, clWhite);
    if (parsed)
        renderEquation(*image, selection.layout, parsing, n, false, scratch);
    else
        drawRawText(*image, text);
}

} // namespace

std::vector<std::string> listedUnitTitles(const ProblemSet& set) {
    std::vector<std::string> titles;
    const int units = std::clamp<int>(set.unitCount, 0, MaxUnits);
    for (int u = 1; u <= units && !set.UnitNames[row(u)].empty(); ++u)
        titles.push_back(set.UnitNames[row(u)]);
    return titles;
}

void showSelection(ProblemSelection& selection) {
    SelectionState& state = selection.state;
    state.dialogUnit = isUnit(selection.set.currentUnit) ? selection.set.currentUnit : 1;
    state.dialogPick[row(state.dialogUnit)] = currentPick(selection.set, state.dialogUnit);
    selection.view.setUnitTitles(listedUnitTitles(selection.set));
    showUnitProblems(selection);
    for (int p = 1; p <= SelectionSlots; ++p)
        selection.view.setBraceMarked(p, false);
    selection.view.selectOnlyUnitItem(state.dialogUnit - 1);
    pickProblem(selection, currentPick(selection.set, state.dialogUnit));
    selection.view.focusUnitList();
}

void showUnitProblems(ProblemSelection& selection) {
    const int u = selection.state.dialogUnit;
    const int count = problemCount(selection.set, u);
    for (int p = 1; p <= SelectionSlots; ++p) {
        selection.view.setSlotVisible(p, p <= count);
        if (p <= count) previewProblem(selection, u, p);
    }
}

RenExt previewProblem(ProblemSelection& selection, int u, int p) {
    if (!isUnit(u) || !isSlot(p)) return splitProblem({});
    selection.algebra.EquationTable[row(ScratchSlot)].count = 0;
    const RenExt problem = splitProblem(selection.set.ProblemTexts[row(u)][row(p)]);
    // The preview's own letters and decimal flag: the problem in progress
    // must be drawn and judged as before when the dialog is cancelled.
    Algebra parsing;
    const bool decimals = writtenWithDecimals(problem);
    drawPreview(selection, parsing, 2 * p - 1, problem.firstText, decimals);
    drawPreview(selection, parsing, 2 * p, problem.secondText, decimals);
    return problem;
}

void pickProblem(ProblemSelection& selection, int p) {
    SelectionState& state = selection.state;
    if (!isUnit(state.dialogUnit) || p < 1 || p > problemCount(selection.set, state.dialogUnit)) return;
    std::int32_t& marked = state.dialogPick[row(state.dialogUnit)];
    if (isSlot(marked)) selection.view.setBraceMarked(marked, false);
    selection.view.setBraceMarked(p, true);
    marked = p;
}

void clickUnit(ProblemSelection& selection, int index) {
    if (index < 0 || index >= static_cast<int>(listedUnitTitles(selection.set).size())) return;
    SelectionState& state = selection.state;
    const int marked = isUnit(state.dialogUnit) ? state.dialogPick[row(state.dialogUnit)] : 0;
    if (isSlot(marked)) selection.view.setBraceMarked(marked, false);
    state.dialogUnit = index + 1;
    showUnitProblems(selection);
    pickProblem(selection, currentPick(selection.set, state.dialogUnit));
}

void acceptSelection(ProblemSelection& selection) {
    const int u = selection.state.dialogUnit;
    if (!isUnit(u)) return;
    selection.set.currentUnit = u;
    selection.set.problemNumbers[row(u)] = selection.state.dialogPick[row(u)];
}

} // namespace tavolini
