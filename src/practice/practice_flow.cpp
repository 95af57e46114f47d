// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/practice_flow.h"

#include "core/cp932.h"
#include "core/dialogs.h"
#include "operations/executor.h"
#include "presentation/page_layout.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace tavolini {
namespace {

constexpr const char* OneSolution = "解の１つが出ました";

std::string budgetMessage(int equationLimit) {
    return cp932("残念ですが") + std::to_string(equationLimit - 2) + cp932("回の操作では解けませんでした");
}

std::int64_t millisecondsNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace

bool PracticeFlow::commandIsComplete() const {
    const CommandState& command = m.command;
    if (command.composeStep == ComposeStep::Nothing || command.composeStep == ComposeStep::FirstEquation)
        return false;
    // Without an operation the executor gives the order message itself.
    if (!command.operation) return true;
    const OperationRow& row = operationRow(*command.operation);
    const bool takesMore = row.takesNumber || row.takesEquation;
    if (command.composeStep == ComposeStep::OperationChosen && command.pnlNumber.empty() && takesMore)
        return false;
    // A second equation for an operation that takes none.
    return command.composeStep != ComposeStep::SecondEquation || row.takesEquation ||
           (row.takesNumber && command.lastEntry != EquationEntered);
}

// After a solved problem another completion would count it twice; past the
// budget there is no row and no label for another equation.
bool PracticeFlow::refuseBeforeExecuting() {
    if (!commandIsComplete()) {
        m.commandPanel.showOrderMessage();
        return true;
    }
    if (isSolved(m.answers)) {
        m.dialogs.showMessage(cp932("解が出ました。次の問題に進んでください"));
        return true;
    }
    if (m.algebra.equationCount >= m.page.equationLimit) {
        m.dialogs.showMessage(budgetMessage(m.page.equationLimit));
        return true;
    }
    return false;
}

void PracticeFlow::btnJikkouClick() {
    if (m.page.highlightedEquation != -1) m.pageView.toggleRowOutline(m.page.highlightedEquation);
    m.page.highlightedEquation = -1;
    m.page.hoverFrozen = 0;
    if (refuseBeforeExecuting()) return;
    scrollBeforeHiddenRow();

    const CommandState asComposed = m.command;
    Messages messages;
    const std::optional<int> written = executeOperation(m.algebra, m.command, messages);
    showMessages(m.dialogs, messages);
    m.panel.showOperand(m.command.pnlNumber); // the executor has taken the operand
    if (!written) {
        m.commandPanel.resetPanel();
        return;
    }
    const int n = *written;
    m.panel.enableEquationButton(n, true);
    const Verdict verdict = judgeEquation(m.algebra, m.answers, n);
    if (verdict == Verdict::FirstAgain || verdict == Verdict::SecondAgain) {
        m.dialogs.showMessage(cp932("すでに解がでています"));
        m.commandPanel.resetPanel();
        discardNewest();
        m.commandPanel.resetCommand();
        return;
    }
    showVerdict(n, verdict);
    const bool goesOn =
        (verdict != Verdict::Identity && verdict != Verdict::Contradiction) || runSpecialDialog(verdict);
    logStep(n, asComposed);
    if (goesOn) finishExecution();
}

// Once per problem, just before the equation that would fall below the
// visible rows; a refused 実行 moves nothing.
void PracticeFlow::scrollBeforeHiddenRow() {
    if (m_scrolled || m.algebra.equationCount != 2 * m.page.rowsPerScreen - 1) return;
    m.view.scrollQuarterPage();
    m_scrolled = true;
}

// Equation n came from the command as composed; a step taken back since the
// last one is dropped first.
void PracticeFlow::logStep(int n, const CommandState& asComposed) {
    const OperationRow& row = operationRow(*asComposed.operation);
    const bool two = row.takesEquation && (!row.takesNumber || asComposed.lastEntry == EquationEntered);
    m_steps.resize(std::min(m_steps.size(), static_cast<std::size_t>(n - 3)));
    m_steps.push_back({.operation = row.operation,
                       .firstEquation = asComposed.firstEquation,
                       .secondEquation = two ? asComposed.secondEquation : 0,
                       .operand = two ? std::string() : asComposed.pnlNumber,
                       .named = m.answers.special});
}

StepLog PracticeFlow::stepLog() const {
    const std::size_t standing = static_cast<std::size_t>(std::max(0, m.algebra.equationCount - 2));
    return StepLog(m_steps.begin(),
                   m_steps.begin() + static_cast<std::ptrdiff_t>(std::min(standing, m_steps.size())));
}

bool PracticeFlow::resumeProblem(int unit, int problem, const StepLog& log) {
    if (unit < 1 || unit > m.problems.unitCount || unit >= UnitRows) return false;
    if (problem < 1 || problem > m.problems.problemCounts[static_cast<std::size_t>(unit)]) return false;
    m.problems.currentUnit = unit;
    m.problems.problemNumbers[static_cast<std::size_t>(unit)] = problem;
    if (!startProblem(true)) return false;
    for (const LoggedStep& step : log) {
        scrollBeforeHiddenRow();
        const std::optional<Verdict> verdict = replayStep(m.algebra, m.answers, step, m.page.equationLimit);
        if (!verdict) {
            startProblem(true);
            return false;
        }
        const int n = m.algebra.equationCount;
        m.panel.enableEquationButton(n, true);
        showVerdict(n, *verdict);
        m_steps.push_back(step);
        if (!isSolved(m.answers)) continue;
        showSolved();
        m.view.startBlink();
    }
    m.commandPanel.resetCommand();
    return true;
}

void PracticeFlow::showVerdict(int n, Verdict verdict) {
    switch (verdict) {
    case Verdict::Identity:
    case Verdict::Contradiction:
        m.pageView.showEquation(n, clPurple);
        return;
    case Verdict::FirstFound:
    case Verdict::SecondFound:
        m.pageView.showStep(n, clBlue);
        m.pageView.setPageMessage(cp932(OneSolution));
        m.pageView.showEquation(verdict == Verdict::FirstFound ? SolutionSlotX : SolutionSlotY, clBlue);
        return;
    default:
        m.pageView.showStep(n, clBlack);
        return;
    }
}

// The pupil names the special case; a wrong name is pointed out and the
// dialog comes again. False when an identity's dialog was closed without a
// choice: the execution ends there.
bool PracticeFlow::runSpecialDialog(Verdict verdict) {
    const bool identity = verdict == Verdict::Identity;
    const SpecialAnswer right = identity ? SpecialAnswer::InfinitelyMany : SpecialAnswer::NoSolution;
    for (;;) {
        const SpecialAnswer choice = m.drillDialogs.showSpecialSolution();
        if (choice == right) {
            m.answers = Answers{.special = right};
            return true;
        }
        if (choice == SpecialAnswer::None) {
            if (!identity) return true;
            m.commandPanel.resetPanel();
            return false;
        }
        m.dialogs.showMessage(
            cp932(identity ? "解なし？？もう一度考えてみましょう" : "解が無数？？もう一度考えてみましょう"));
    }
}

void PracticeFlow::discardNewest() {
    const int n = m.algebra.equationCount;
    m.pageView.blankRow(n);
    m.algebra.EquationTable[static_cast<std::size_t>(n)] = MShiki{};
    m.panel.enableEquationButton(n, false);
    --m.algebra.equationCount;
}

void PracticeFlow::finishExecution() {
    if (isSolved(m.answers)) KaiComplete();
    if (m.algebra.equationCount >= m.page.equationLimit && !isSolved(m.answers))
        m.dialogs.showMessage(budgetMessage(m.page.equationLimit));
    m.page.highlightedEquation = -1;
    m.commandPanel.resetCommand();
}

void PracticeFlow::showSpecialAnswer(const char* utf8Answer) {
    m.pageView.setPageMessage(solvedMessage(m.answers));
    if (m.algebra.equationCount > m.page.equationLimit - 2) return;
    m.algebra.equationCount += 2;
    const int row = m.algebra.equationCount;
    const std::string line(20, '*');
    m.pageView.writeRowText(row, 2, line, clBlack);
    m.pageView.writeRowText(row, 3, cp932(utf8Answer), clRed);
    m.pageView.writeRowText(row, 4, line, clBlack);
}

void PracticeFlow::KaiComplete() {
    const int unit = m.problems.currentUnit;
    if (unit >= 1 && unit < UnitRows) {
        const auto row = static_cast<std::size_t>(unit);
        m_completion = Completion{m.problems.problemSetPath,
                                  m.problems.UnitNames[row],
                                  m.problems.problemNumbers[row],
                                  stepLog(),
                                  m.answers,
                                  m_hints,
                                  m_startedAt,
                                  millisecondsNow()};
    }
    showSolved();
    if (unit >= 1 && unit < UnitRows) {
        Messages messages;
        recordPractice(m.problems, m.records, messages, unit,
                       m.problems.problemNumbers[static_cast<std::size_t>(unit)]);
        showMessages(m.dialogs, messages);
    }
    m.view.startBlink();
    m.panel.enableNext(true);
    m_solvedMarks += cp932("★");
}

std::optional<Completion> PracticeFlow::takeCompletion() {
    return std::exchange(m_completion, std::nullopt);
}

void PracticeFlow::hintAsked() {
    m_hints = std::min(m_hints + 1, MaxHintsCounted);
}

void PracticeFlow::showSolved() {
    if (m.answers.special == SpecialAnswer::NoSolution) {
        showSpecialAnswer("【答】　解なし");
    } else if (m.answers.special == SpecialAnswer::InfinitelyMany) {
        showSpecialAnswer("【答】解は無数にある");
    } else {
        const int n = m.algebra.equationCount;
        m.pageView.showStep(n, clBlue);
        m.pageView.placeAnswerBox(n);
        m.pageView.showAnswerBrace();
        m.pageView.showEquation(SolutionSlotX, clBlack);
        m.pageView.showEquation(SolutionSlotY, clBlack);
        m.pageView.setPageMessage(solvedMessage(m.answers));
    }
}

void PracticeFlow::writeHeldRecords() {
    Messages messages;
    tavolini::writeHeldRecords(m.records, messages, WhenBusy::GiveUp);
    showMessages(m.dialogs, messages);
}

std::string PracticeFlow::pageCaption() const {
    return problemTitle(m.problems.currentUnit, currentProblemNumber(m.problems)) + m_solvedMarks;
}

void PracticeFlow::clearProblemPage() {
    // Every row, also those past the budget: the message of a problem that
    // ended at the budget stands on the row after it.
    for (int i = 1; i < SolutionSlotX; ++i) {
        m.algebra.EquationTable[static_cast<std::size_t>(i)] = MShiki{};
        if (m.pageView.hasRowImage(i)) m.pageView.blankRow(i);
        if (i <= m.page.equationLimit) m.panel.enableEquationButton(i, false);
    }
    for (int i = m.page.equationLimit; i <= LargestRowNumber; ++i)
        m.panel.hideEquationButton(i);
    for (int slot : {SolutionSlotX, SolutionSlotY}) {
        m.algebra.EquationTable[static_cast<std::size_t>(slot)] = MShiki{};
        m.pageView.blankRow(slot);
    }
    m.algebra.originCounter = 0;
    m.algebra.equationCount = 0;
    m.page.highlightedEquation = -1; // the rows are blank, no frame is left
    m.page.hoverFrozen = 0;
    m_scrolled = false;
    m_steps.clear();
    m_hints = 0;
    m_startedAt = millisecondsNow();
    m.commandPanel.clearForNewProblem();
    m.answers = Answers{};
    m.pageView.setPageMessage("");
    m.view.setPageCaption(pageCaption());
    m.panel.enableNext(true);
    m.pageView.hideAnswerBox();
}

// The problem of the current position into ① and ②. A problem that does not
// load leaves the table empty, so that nothing half-read can be chosen.
bool PracticeFlow::loadCurrentProblem() {
    Messages messages;
    const RenExt problem = loadProblem(m.problems, m.algebra, m.problems.currentUnit,
                                       currentProblemNumber(m.problems), messages);
    showMessages(m.dialogs, messages);
    m_problemLoaded = !problem.invalid;
    if (problem.invalid) {
        m.algebra.EquationTable[1] = MShiki{};
        m.algebra.EquationTable[2] = MShiki{};
        m.algebra.equationCount = 0;
        return false;
    }
    m.panel.enableEquationButton(1, true);
    m.panel.enableEquationButton(2, true);
    m.pageView.showEquation(1, clBlack);
    m.pageView.showEquation(2, clBlack);
    return true;
}

bool PracticeFlow::startProblem(bool keepPositions) {
    if (!keepPositions) {
        m.problems.currentUnit = 1;
        for (int u = 0; u <= m.problems.unitCount && u < UnitRows; ++u)
            m.problems.problemNumbers[static_cast<std::size_t>(u)] = 1;
    }
    clearProblemPage();
    if (!loadCurrentProblem()) return false;
    m.view.stopBlink();
    if (judgeProblemEquations(m.algebra, m.answers)) m.pageView.setPageMessage(cp932(OneSolution));
    if (isSolved(m.answers)) {
        m.dialogs.showMessage(cp932("すでに解1,2がでています"));
        KaiComplete();
        m.commandPanel.clearForNewProblem();
    }
    return true;
}

void PracticeFlow::nextProblem() {
    const int unit = m.problems.currentUnit;
    if (unit < 0 || unit >= UnitRows) return;
    std::int32_t& problem = m.problems.problemNumbers[static_cast<std::size_t>(unit)];
    if (problem < m.problems.problemCounts[static_cast<std::size_t>(unit)]) {
        ++problem;
    } else {
        m.dialogs.showMessage(cp932("最初の問題に帰ります"));
        problem = 1;
    }
    clearProblemPage();
    loadCurrentProblem();
}

void PracticeFlow::btnNextClick() {
    m.view.stopBlink();
    // A problem that did not load has nothing to leave unsolved.
    if (isSolved(m.answers) || !m_problemLoaded ||
        m.dialogs.ask(cp932("確認"), cp932("まだ解が出ていませんが次の問題に進みますか"), Buttons::YesNo) ==
            Reply::Yes)
        nextProblem();
    m.pageView.hideAnswerBox();
    m.pageView.scrollToTop();
}

void PracticeFlow::changeUnit() {
    if (!m.drillDialogs.showProblemSelection()) return;
    m.commandPanel.resetPanel();
    startProblem(true);
}

} // namespace tavolini
