// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/fake_views.h"

#include "core/cp932.h"
#include "files/problem_set.h"

namespace tavolini {
namespace {

constexpr int LastEquationButton = 18;

} // namespace

std::string colourName(Colour colour) {
    if (colour == clBlack) return "black";
    if (colour == clBlue) return "blue";
    if (colour == clPurple) return "purple";
    if (colour == clRed) return "red";
    if (colour == clFuchsia) return "fuchsia";
    return std::to_string(colour.r) + "," + std::to_string(colour.g) + "," + std::to_string(colour.b);
}

void FakePanelView::enableEquationButton(int n, bool enabled) {
    if (n < 1 || n > LastEquationButton) return;
    if (enabled)
        enabledButtons.insert(n);
    else
        enabledButtons.erase(n);
}

void FakePanelView::hideEquationButton(int n) {
    hiddenButtons.insert(n);
    enabledButtons.erase(n);
}

void FakePanelView::moveFocus() {
    ++focusMoves;
    if (executeOn)
        focus = Focus::Execute;
    else if (nextOn)
        focus = Focus::Next;
}

std::string FakePanelView::operandText() const {
    return utf8FromCp932(operand);
}

bool FakePageView::hasRowImage(int n) const {
    // The page creates four columns of rows, and the two answer rows.
    return (n >= 1 && n <= 4 * m_page.rowsPerScreen) || n == SolutionSlotX || n == SolutionSlotY;
}

void FakePageView::showEquation(int n, Colour colour) {
    drawn.push_back({n, colourName(colour)});
    outlined.erase(n);
}

void FakePageView::showStep(int n, Colour colour) {
    showEquation(n, colour);
    if (n >= 0 && n < EquationSlots)
        writeRowText(n, 1, m_algebra.EquationTable[static_cast<std::size_t>(n)].stepText, clBlack);
}

void FakePageView::blankRow(int n) {
    blanked.push_back(n);
    outlined.erase(n);
}

void FakePageView::writeRowText(int n, int r, std::string_view text, Colour colour) {
    written.push_back({n, r, utf8FromCp932(text), colourName(colour)});
}

void FakePageView::toggleRowOutline(int n) {
    if (n <= 0) return;
    if (!hasRowImage(n)) {
        ++outlinesWithoutRow;
        return;
    }
    if (!outlined.erase(n)) outlined.insert(n);
}

void FakePageView::placeAnswerBox(int n) {
    answerBoxRow = n;
    answerBoxShown = true;
}

void FakePageView::setPageMessage(std::string_view text) {
    m_message = std::string(text);
    printMessage();
}

void FakePageView::appendPageMessage(std::string_view text) {
    m_message += text;
    printMessage();
}

// The message is printed on a fresh picture of the next equation's row
// (never on the answer rows after the last one).
void FakePageView::printMessage() {
    if (m_algebra.equationCount >= 0 && m_algebra.equationCount < 32)
        outlined.erase(m_algebra.equationCount + 1);
}

std::string FakePageView::message() const {
    return utf8FromCp932(m_message);
}

std::string FakePageView::colourOf(int n) const {
    for (auto it = drawn.rbegin(); it != drawn.rend(); ++it)
        if (it->n == n) return it->colour;
    return "";
}

std::vector<std::string> FakePageView::textsOf(int n) const {
    std::vector<std::string> texts;
    for (const WrittenText& text : written)
        if (text.n == n) texts.push_back(text.text);
    return texts;
}

void FakePageView::forgetCalls() {
    drawn.clear();
    written.clear();
    blanked.clear();
}

void FakePracticeView::startBlink() {
    blinking = true;
    ++blinkStarts;
}

std::string FakePracticeView::captionText() const {
    return utf8FromCp932(caption);
}

SpecialAnswer ScriptedDrillDialogs::showSpecialSolution() {
    ++specialShown;
    if (specialResults.empty()) {
        unanswered = true;
        return SpecialAnswer::None;
    }
    const SpecialAnswer result = specialResults.front();
    specialResults.pop_front();
    return result;
}

bool ScriptedDrillDialogs::showProblemSelection() {
    ++selectionShown;
    if (selections.empty()) {
        unanswered = true;
        return false;
    }
    const std::optional<Selection> selection = selections.front();
    selections.pop_front();
    if (!selection || selection->unit < 1 || selection->unit >= UnitRows) return false;
    m_problems.currentUnit = selection->unit;
    m_problems.problemNumbers[static_cast<std::size_t>(selection->unit)] = selection->problem;
    return true;
}

} // namespace tavolini
