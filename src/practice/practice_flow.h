// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "files/practice_records.h"
#include "files/problem_set.h"
#include "practice/command_panel.h"
#include "practice/drill_dialogs.h"
#include "practice/judge.h"
#include "practice/practice_view.h"
#include "practice/step_log.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tavolini {

// Everything a practice session works on, made once by main.
struct PracticeContext {
    Algebra& algebra;
    Dialogs& dialogs;
    CommandState& command;
    Answers& answers;
    PageState& page;
    ProblemSet& problems;
    PracticeRecords& records;
    PageView& pageView;
    PanelView& panel;
    PracticeView& view;
    DrillDialogs& drillDialogs;
    CommandPanel& commandPanel;
};

// A problem solved, as the page hands it on to the class server.
struct Completion {
    std::string setPath;
    std::string unitTitle; // code page 932
    int problem = 0;
    StepLog steps;
    Answers answers;
    int hints = 0;              // 解き方のヒント asked while the problem was on the page
    std::int64_t startedAt = 0; // milliseconds since 1970
    std::int64_t endedAt = 0;
};

// More hints than this on one problem are counted as this many.
inline constexpr int MaxHintsCounted = 10000;

// Working a problem: 実行 with its judging and the end of a solved problem,
// starting problems, 次の問題 and 単元変更.
class PracticeFlow {
  public:
    explicit PracticeFlow(PracticeContext context) : m(context) {}

    void btnJikkouClick();
    void KaiComplete();
    // The last problem solved since the front end asked, once.
    std::optional<Completion> takeCompletion();
    void hintAsked();
    // At exit: the completions held while another copy had the record file.
    void writeHeldRecords();

    void clearProblemPage();
    bool startProblem(bool keepPositions);
    void nextProblem();
    void btnNextClick();
    void changeUnit();
    // The problem at `unit` and `problem` started with the steps of `log`
    // done again, silently: no dialog, no record. A log whose steps do not
    // go as they went leaves the problem started fresh, and false.
    bool resumeProblem(int unit, int problem, const StepLog& log);

    // The steps of the current problem that still stand.
    StepLog stepLog() const;

    const std::string& solvedMarks() const { return m_solvedMarks; }

  private:
    bool commandIsComplete() const;
    bool refuseBeforeExecuting();
    void showVerdict(int n, Verdict verdict);
    bool runSpecialDialog(Verdict verdict);
    void discardNewest();
    void finishExecution();
    void scrollBeforeHiddenRow();
    void logStep(int n, const CommandState& asComposed);
    // The answers of a solved problem on the page.
    void showSolved();
    void showSpecialAnswer(const char* utf8Answer);
    bool loadCurrentProblem();
    std::string pageCaption() const;

    PracticeContext m;
    std::string m_solvedMarks;
    StepLog m_steps;              // trimmed to the equations left when a step was taken back
    bool m_scrolled = false;      // the page has moved down for this problem
    bool m_problemLoaded = false; // the current problem's equations are ① and ②
    int m_hints = 0;
    std::int64_t m_startedAt = 0;
    std::optional<Completion> m_completion;
};

} // namespace tavolini
