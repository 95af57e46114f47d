// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "practice/drill_dialogs.h"
#include "practice/panel_view.h"
#include "practice/practice_view.h"
#include "presentation/page_state.h"
#include "presentation/page_view.h"

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tavolini {

struct ProblemSet;

// "black", "blue", "purple", "red", "fuchsia" or "r,g,b", for readable assertions.
std::string colourName(Colour colour);

// The main window's panel as a recorder: what is enabled, hidden and shown,
// and where the focus went.
class FakePanelView final : public PanelView {
  public:
    enum class Focus { Unmoved, Execute, Next };

    void enableEquationButton(int n, bool enabled) override;
    void hideEquationButton(int n) override;
    void enableExecute(bool enabled) override { executeOn = enabled; }
    bool executeEnabled() const override { return executeOn; }
    void enableNext(bool enabled) override { nextOn = enabled; }
    bool nextEnabled() const override { return nextOn; }
    void enableNumberPad(bool enabled) override { numberPadOn = enabled; }
    void showOperand(std::string_view text) override { operand = std::string(text); }
    void moveFocus() override;

    // The operand display in UTF-8.
    std::string operandText() const;

    std::set<int> enabledButtons; // ① to ⑱ only, as the window has no others
    std::set<int> hiddenButtons;  // every number asked for, as asked
    bool executeOn = false;
    bool nextOn = false;
    bool numberPadOn = false;
    std::string operand; // code page 932, as shown
    Focus focus = Focus::Unmoved;
    int focusMoves = 0;
};

// One showEquation or writeRowText call, texts in UTF-8.
struct DrawnEquation {
    int n = 0;
    std::string colour;
};
struct WrittenText {
    int n = 0;
    int row = 0;
    std::string text;
    std::string colour;
};

// The page window as a recorder. Like the real rows, a row that is drawn
// anew (showEquation, blankRow, or the page message printed on the row of
// the next equation) loses its outline, and toggling draws or removes it.
class FakePageView final : public PageView {
  public:
    FakePageView(const Algebra& algebra, const PageState& page) : m_algebra(algebra), m_page(page) {}

    bool hasRowImage(int n) const override;
    void showEquation(int n, Colour colour) override;
    // Recorded as the equation drawn and its sentence written on text row 1.
    void showStep(int n, Colour colour) override;
    void blankRow(int n) override;
    void writeRowText(int n, int r, std::string_view text, Colour colour) override;
    void toggleRowOutline(int n) override;
    void markRow(int n) override { marked.insert(n); }
    void placeAnswerBox(int n) override;
    void hideAnswerBox() override { answerBoxShown = false; }
    void showAnswerBrace() override { answerBraceShown = true; }
    void scrollDown() override { ++scrollDowns; }
    void scrollToTop() override { ++scrollsToTop; }
    void scrollQuarterPage() override {}
    void setPageMessage(std::string_view text) override;
    void appendPageMessage(std::string_view text) override;
    const std::string& pageMessage() const override { return m_message; }

    // The page message in UTF-8.
    std::string message() const;
    // The colour equation n was last drawn in, or "" when it was not drawn.
    std::string colourOf(int n) const;
    // The texts written on row n, in order.
    std::vector<std::string> textsOf(int n) const;
    // Forgets what was drawn and written (not the state of the page).
    void forgetCalls();

    std::vector<DrawnEquation> drawn;
    std::vector<WrittenText> written;
    std::vector<int> blanked;
    std::set<int> outlined;     // rows whose frame is drawn
    int outlinesWithoutRow = 0; // toggles of a number that has no row image
    std::set<int> marked;
    std::optional<int> answerBoxRow;
    bool answerBoxShown = false;
    bool answerBraceShown = false;
    int scrollDowns = 0;
    int scrollsToTop = 0;

  private:
    void printMessage();

    const Algebra& m_algebra;
    const PageState& m_page;
    std::string m_message;
};

class FakePracticeView final : public PracticeView {
  public:
    void startBlink() override;
    void stopBlink() override { blinking = false; }
    void setPageCaption(std::string_view text) override { caption = std::string(text); }
    void scrollQuarterPage() override { ++quarterScrolls; }

    // The page caption in UTF-8.
    std::string captionText() const;

    bool blinking = false;
    int blinkStarts = 0;
    int quarterScrolls = 0;
    std::string caption; // code page 932
};

// The drill's dialogs answered from queues: the special-solution dialog by
// the case named, the selection dialog by a unit and problem (then OK)
// or by nothing (Cancel). An empty queue closes the special dialog and
// cancels the selection, and is noted.
class ScriptedDrillDialogs final : public DrillDialogs {
  public:
    struct Selection {
        int unit = 1;
        int problem = 1;
    };

    explicit ScriptedDrillDialogs(ProblemSet& problems) : m_problems(problems) {}

    SpecialAnswer showSpecialSolution() override;
    bool showProblemSelection() override;

    std::deque<SpecialAnswer> specialResults;
    std::deque<std::optional<Selection>> selections;
    int specialShown = 0;
    int selectionShown = 0;
    bool unanswered = false;

  private:
    ProblemSet& m_problems;
};

} // namespace tavolini
