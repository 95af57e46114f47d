// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "practice/practice_flow.h"
#include "support/practice_harness.h"
#include "support/typical_road.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

using Shown = std::vector<std::string>;

const std::string OrderMessage = "message: 操作が誤りです。例①＋②，①÷２，④代入①";
const std::string SolvedRefusal = "message: 解が出ました。次の問題に進んでください";
const std::string AlreadyFound = "message: すでに解がでています";
const std::string GoOnQuestion = "question: 確認: まだ解が出ていませんが次の問題に進みますか";
const std::string OneSolution = "解の１つが出ました";

// The typical problem first, then one that starts solved, then one more.
std::vector<std::string> drillUnit() {
    return PracticeHarness::oneUnit({"2x+y=7;x-y=2", "x=1;y=2", "x+y=3;x-y=1"});
}

Shown budget(int number) {
    return {"message: 残念ですが" + std::to_string(number) + "回の操作では解けませんでした"};
}

// Runs commands that must all be accepted without a message.
void runAll(PracticeHarness& h, std::initializer_list<const char*> commands) {
    for (const char* command : commands)
        ASSERT_EQ(h.run(command), Shown{}) << command;
}

// ① × 1 on the typical problem: an ordinary step that only uses up the budget.
void fillTo(PracticeHarness& h, int count) {
    while (h.algebra.equationCount < count)
        ASSERT_EQ(h.run("①×1"), Shown{}) << h.algebra.equationCount;
}

void expectIdle(const PracticeHarness& h) {
    EXPECT_EQ(h.command.composeStep, ComposeStep::Nothing);
    EXPECT_EQ(h.command.lastEntry, NothingEntered);
    EXPECT_FALSE(h.panelView.executeOn);
    EXPECT_FALSE(h.panelView.numberPadOn);
    EXPECT_EQ(h.page.highlightedEquation, -1);
    EXPECT_TRUE(h.frameAgrees());
}

TEST(PracticeFlow, TheTypicalRoadSolvesTheProblem) {
    PracticeHarness h(drillUnit(), {.keepRecords = true});
    ASSERT_TRUE(h.setRead);
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.view.captionText(), "1 (1)次の連立方程式を解きなさい");
    EXPECT_EQ(h.pageView.colourOf(1), "black");
    EXPECT_EQ(h.pageView.colourOf(2), "black");
    EXPECT_EQ(h.panelView.enabledButtons, (std::set<int>{1, 2}));

    // The road's rows but the last, which the pupil types on the number pad.
    for (std::size_t i = 0; i + 1 < TypicalRoad.size(); ++i) {
        const RoadStep& step = TypicalRoad[i];
        const bool found = step.verdict == Verdict::FirstFound;
        SCOPED_TRACE(step.command);
        h.pageView.forgetCalls();
        h.compose(step.command);
        EXPECT_TRUE(h.frameAgrees());
        h.execute();
        const int n = h.algebra.equationCount;
        EXPECT_EQ(h.takeShown(), Shown{});
        EXPECT_EQ(h.equation(n), step.equation);
        EXPECT_EQ(h.pageView.colourOf(n), found ? "blue" : "black");
        // A found unknown is shown in the answer box at once.
        EXPECT_EQ(h.pageView.colourOf(SolutionSlotX), found ? "blue" : "");
        ASSERT_EQ(h.pageView.written.size(), 1u);
        EXPECT_EQ(h.pageView.written[0].n, n);
        EXPECT_EQ(h.pageView.written[0].row, 1);
        EXPECT_EQ(h.pageView.written[0].text, step.sentence);
        EXPECT_EQ(h.pageView.written[0].colour, "black");
        EXPECT_EQ(h.message(), found ? OneSolution : step.command);
        EXPECT_TRUE(h.panelView.enabledButtons.contains(n));
        EXPECT_FALSE(isSolved(h.answers));
        expectIdle(h);
    }
    EXPECT_FALSE(h.pageView.answerBoxShown);
    EXPECT_FALSE(h.view.blinking);

    h.compose("⑦×");
    h.key('-');
    h.key('1');
    EXPECT_EQ(h.message(), "⑦×(-1");
    h.pageView.forgetCalls();
    h.execute();
    EXPECT_EQ(h.takeShown(), Shown{});
    EXPECT_EQ(h.equation(8), "1y = 1");
    EXPECT_EQ(h.pageView.textsOf(8).back(), "⑦式の両辺を-1倍すると");
    // The last step in blue, both answers in black in the answer box.
    EXPECT_EQ(h.pageView.colourOf(8), "blue");
    EXPECT_EQ(h.pageView.colourOf(SolutionSlotX), "black");
    EXPECT_EQ(h.pageView.colourOf(SolutionSlotY), "black");
    EXPECT_EQ(h.message(), "解が出ました");
    EXPECT_EQ(h.pageView.answerBoxRow, 8);
    EXPECT_TRUE(h.pageView.answerBoxShown);
    EXPECT_TRUE(h.pageView.answerBraceShown);
    EXPECT_TRUE(isSolved(h.answers));
    EXPECT_EQ(h.recordCount(1, 1), 1);
    EXPECT_EQ(h.recordCount(1, 2), 0);
    EXPECT_TRUE(h.view.blinking);
    EXPECT_TRUE(h.panelView.nextOn);
    EXPECT_EQ(h.panelView.focus, FakePanelView::Focus::Next);
    EXPECT_EQ(utf8FromCp932(h.flow.solvedMarks()), "★");
    EXPECT_EQ(h.algebra.equationCount, 8);
    expectIdle(h);

    // Solved: 次の問題 moves on without asking, and the caption shows the star.
    h.press("次の問題");
    EXPECT_EQ(h.takeShown(), Shown{});
    EXPECT_EQ(h.view.captionText(), "1 (2)次の連立方程式を解きなさい★");
    EXPECT_FALSE(h.view.blinking);
    EXPECT_FALSE(h.pageView.answerBoxShown);
    EXPECT_EQ(h.pageView.scrollsToTop, 1);
    EXPECT_EQ(h.algebra.equationCount, 2);
    EXPECT_EQ(h.equation(1), "1x = 1");
}

// The executor takes the operand; the display must not keep showing it.
TEST(PracticeFlow, TheOperandDisplayIsEmptyAfterAStep) {
    for (const char* command : {"①×3", "①÷-2", "①＋5"}) {
        PracticeHarness h(drillUnit());
        h.start();
        EXPECT_EQ(h.run(command), Shown{}) << command;
        EXPECT_EQ(h.algebra.equationCount, 3) << command;
        EXPECT_EQ(h.command.pnlNumber, "") << command;
        EXPECT_EQ(h.operand(), "") << command;
    }
    PracticeHarness h(PracticeHarness::oneUnit({"x+y=1;x+y=3"}));
    h.start();
    h.drillDialogs.specialResults = {SpecialAnswer::None};
    h.compose("①×2");
    h.execute();
    h.compose("③－②");
    h.execute();
    EXPECT_EQ(h.operand(), "");
}

TEST(PracticeFlow, RecordsAreNotWrittenWhenStartedFromACdRom) {
    PracticeHarness h(drillUnit());
    h.start();
    runAll(h, {"①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "⑦×-1"});
    ASSERT_TRUE(isSolved(h.answers));
    EXPECT_FALSE(std::filesystem::exists(recordFilePath(h.problems)));
    EXPECT_TRUE(h.view.blinking);
    EXPECT_EQ(utf8FromCp932(h.flow.solvedMarks()), "★");
}

TEST(PracticeFlow, IncompleteCommandsAreRefusedAndStayComposed) {
    struct Row {
        const char* command;
        int composeStep;
    };
    const Row rows[] = {
        {"", 0},    {"①", 1},   {"①×", 2},     {"①÷", 2},     {"①＋", 2},      {"①－", 2},   {"①代入", 2},
        {"①×②", 3}, {"①÷②", 3}, {"①整理②", 3}, {"①移項②", 3}, {"①かっこ②", 3}, {"①×3CL", 2},
    };
    for (const Row& row : rows) {
        PracticeHarness h(drillUnit());
        h.start();
        h.compose(row.command);
        const std::string composed = h.message();
        const CommandState before = h.command;
        h.execute();
        SCOPED_TRACE(row.command);
        EXPECT_EQ(h.takeShown(), Shown{OrderMessage});
        EXPECT_EQ(h.algebra.equationCount, 2);
        EXPECT_EQ(h.algebra.EquationTable[3].count, 0);
        EXPECT_FALSE(h.panelView.enabledButtons.contains(3));
        EXPECT_EQ(h.message(), composed);
        EXPECT_EQ(h.command.composeStep, static_cast<ComposeStep>(row.composeStep));
        EXPECT_EQ(h.command.lastEntry, before.lastEntry);
        EXPECT_EQ(h.command.operation, before.operation);
        EXPECT_EQ(h.command.firstEquation, before.firstEquation);
        EXPECT_EQ(h.command.secondEquation, before.secondEquation);
        EXPECT_EQ(h.command.pnlNumber, before.pnlNumber);
        EXPECT_TRUE(h.frameAgrees());
    }
}

TEST(PracticeFlow, OperationsOnOneEquationNeedNoNumber) {
    for (const char* command : {"②整理", "②移項"}) {
        PracticeHarness h(drillUnit());
        h.start();
        h.run(command);
        EXPECT_EQ(h.algebra.equationCount, 3) << command;
        EXPECT_EQ(h.equation(3), "1x -1y = 2") << command;
    }
}

TEST(PracticeFlow, ARefusedStepLeavesTheTableAsItWas) {
    struct Row {
        const char* command;
        Shown shown;
    };
    const Row rows[] = {
        {"①＋①", {"message: 同じ式から変形された式はたせません"}},
        {"①代入①", {"message: 同じ式から変形された式に代入できません"}},
        {"①かっこ", {"message: かっこがありません"}},
        {"①×0", {"message: ０をかけることはできません"}},
        {"①÷0", {"message: ０では割れません"}},
        {"①÷3分の", {"message: 3分の ←分数の表現があやまりです"}},
    };
    for (const Row& row : rows) {
        PracticeHarness h(drillUnit());
        h.start();
        h.compose(row.command);
        h.execute();
        SCOPED_TRACE(row.command);
        EXPECT_EQ(h.takeShown(), row.shown);
        EXPECT_EQ(h.algebra.equationCount, 2);
        EXPECT_EQ(h.algebra.EquationTable[3].count, 0);
        EXPECT_EQ(h.panelView.enabledButtons, (std::set<int>{1, 2}));
        EXPECT_EQ(h.message(), "");
        EXPECT_EQ(h.command.operation, std::nullopt);
        EXPECT_EQ(h.operand(), "");
        expectIdle(h);
        // The next step is written as ③.
        EXPECT_EQ(h.run("①＋②"), Shown{});
        EXPECT_EQ(h.algebra.equationCount, 3);
        EXPECT_EQ(h.equation(3), "3x = 9");
    }
}

TEST(PracticeFlow, AnUnknownFoundAgainIsDiscarded) {
    PracticeHarness h(drillUnit(), {.keepRecords = true});
    h.start();
    runAll(h, {"①＋②", "③÷3"});
    const Answers found = h.answers;
    h.pageView.forgetCalls();
    h.compose("③÷3");
    h.execute();
    EXPECT_EQ(h.takeShown(), Shown{AlreadyFound});
    EXPECT_EQ(h.algebra.equationCount, 4);
    EXPECT_EQ(h.algebra.EquationTable[5].count, 0);
    EXPECT_EQ(h.algebra.EquationTable[5].stepText, "");
    EXPECT_EQ(h.answers, found);
    EXPECT_EQ(h.pageView.blanked, std::vector<int>{5});
    EXPECT_EQ(h.panelView.enabledButtons, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(h.message(), "");
    EXPECT_EQ(h.command.operation, std::nullopt);
    EXPECT_FALSE(h.view.blinking);
    EXPECT_EQ(h.recordCount(1, 1), 0);
    expectIdle(h);
    // The found x stays with ④: 訂正 takes back ④ and x with it.
    h.correct();
    EXPECT_EQ(h.algebra.equationCount, 3);
    EXPECT_EQ(h.answers, Answers{});
}

// A problem with infinitely many solutions reaches 0 = 0 at ④, one with
// none reaches 0 = -2 at ③.
struct SpecialRow {
    const char* name;
    std::vector<const char*> commands;
    std::vector<SpecialAnswer> choices;
    Shown shown;
    bool solved;
    int equationCount;
    std::string message;
};

const char* const Identity = "x+y=1;2x+2y=2";
const char* const Contradiction = "x+y=1;x+y=3";

TEST(PracticeFlow, SpecialSolutionsAreNamedInTheDialog) {
    constexpr SpecialAnswer Many = SpecialAnswer::InfinitelyMany;
    constexpr SpecialAnswer NoSolution = SpecialAnswer::NoSolution;
    const SpecialRow rows[] = {
        {"identity, right", {"①×2", "③－②"}, {Many}, {}, true, 6, "●解は無数にあります●"},
        {"identity, wrong then right",
         {"①×2", "③－②"},
         {NoSolution, Many},
         {"message: 解なし？？もう一度考えてみましょう"},
         true,
         6,
         "●解は無数にあります●"},
        {"contradiction, right", {"①－②"}, {NoSolution}, {}, true, 5, "●解はありません●"},
        {"contradiction, wrong then right",
         {"①－②"},
         {Many, Many, NoSolution},
         {"message: 解が無数？？もう一度考えてみましょう", "message: 解が無数？？もう一度考えてみましょう"},
         true,
         5,
         "●解はありません●"},
    };
    for (const SpecialRow& row : rows) {
        const bool identity = std::string(row.name).starts_with("identity");
        PracticeHarness h(PracticeHarness::oneUnit({identity ? Identity : Contradiction}),
                          {.keepRecords = true});
        h.start();
        SCOPED_TRACE(row.name);
        for (std::size_t i = 0; i + 1 < row.commands.size(); ++i)
            runAll(h, {row.commands[i]});
        const int n = h.algebra.equationCount + 1;
        h.drillDialogs.specialResults.assign(row.choices.begin(), row.choices.end());
        h.pageView.forgetCalls();
        EXPECT_EQ(h.run(row.commands.back()), row.shown);
        EXPECT_EQ(h.drillDialogs.specialShown, static_cast<int>(row.choices.size()));
        EXPECT_FALSE(h.drillDialogs.unanswered);
        EXPECT_EQ(h.equation(n), identity ? "0 = 0" : "0 = -2");
        EXPECT_EQ(h.pageView.colourOf(n), "purple");
        EXPECT_TRUE(h.pageView.textsOf(n).empty()); // no separate sentence for a special step
        EXPECT_EQ(isSolved(h.answers), row.solved);
        EXPECT_EQ(h.answers, Answers{.special = identity ? Many : NoSolution});
        EXPECT_EQ(h.algebra.equationCount, row.equationCount);
        EXPECT_EQ(h.message(), row.message);
        // The special answer rows below the step.
        const int m = row.equationCount;
        ASSERT_EQ(h.pageView.written.size(), 3u);
        const std::string stars(20, '*');
        const WrittenText expected[] = {
            {m, 2, stars, "black"},
            {m, 3, identity ? "【答】解は無数にある" : "【答】　解なし", "red"},
            {m, 4, stars, "black"},
        };
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(h.pageView.written[i].n, expected[i].n) << i;
            EXPECT_EQ(h.pageView.written[i].row, expected[i].row) << i;
            EXPECT_EQ(h.pageView.written[i].text, expected[i].text) << i;
            EXPECT_EQ(h.pageView.written[i].colour, expected[i].colour) << i;
        }
        EXPECT_FALSE(h.pageView.answerBoxShown);
        EXPECT_EQ(h.recordCount(1, 1), 1);
        EXPECT_TRUE(h.view.blinking);
        EXPECT_EQ(utf8FromCp932(h.flow.solvedMarks()), "★");
        expectIdle(h);
    }
}

TEST(PracticeFlow, AnIdentityDialogClosedClearsTheCommandAndEndsTheExecution) {
    PracticeHarness h(PracticeHarness::oneUnit({Identity}), {.keepRecords = true});
    h.start();
    runAll(h, {"①×2"});
    h.drillDialogs.specialResults = {SpecialAnswer::None};
    EXPECT_EQ(h.run("③－②"), Shown{});
    EXPECT_EQ(h.drillDialogs.specialShown, 1);
    EXPECT_EQ(h.algebra.equationCount, 4); // the purple step stays
    EXPECT_EQ(h.pageView.colourOf(4), "purple");
    EXPECT_EQ(h.answers, Answers{});
    EXPECT_FALSE(isSolved(h.answers));
    EXPECT_EQ(h.message(), "");
    EXPECT_EQ(h.command.operation, std::nullopt);
    EXPECT_FALSE(h.view.blinking);
    EXPECT_EQ(h.recordCount(1, 1), 0);
    expectIdle(h);
    // Not solved: 訂正 takes the step back.
    h.correct();
    EXPECT_EQ(h.algebra.equationCount, 3);
}

TEST(PracticeFlow, AContradictionDialogClosedRunsOnWithTheAnswersUnchanged) {
    PracticeHarness h(PracticeHarness::oneUnit({Contradiction}), {.keepRecords = true});
    h.start();
    h.drillDialogs.specialResults = {SpecialAnswer::None};
    EXPECT_EQ(h.run("①－②"), Shown{});
    EXPECT_EQ(h.algebra.equationCount, 3);
    EXPECT_EQ(h.pageView.colourOf(3), "purple");
    EXPECT_EQ(h.answers, Answers{});
    EXPECT_FALSE(h.view.blinking);
    EXPECT_EQ(h.recordCount(1, 1), 0);
    expectIdle(h);
}

TEST(PracticeFlow, TheSpecialAnswerRowsNeedTwoFreeRows) {
    // The contradiction written as equation 22 leaves rows 23 and 24 for the
    // answer; as equation 23 it leaves too few, and only the message is shown.
    struct Row {
        int before;
        int equationCount;
        std::size_t written;
    };
    for (const Row& row : {Row{21, 24, 3}, Row{22, 23, 0}}) {
        PracticeHarness h(PracticeHarness::oneUnit({Contradiction}));
        h.start();
        while (h.algebra.equationCount < row.before)
            ASSERT_EQ(h.run("①×1"), Shown{});
        h.pageView.forgetCalls();
        h.drillDialogs.specialResults = {SpecialAnswer::NoSolution};
        EXPECT_EQ(h.run("①－②"), Shown{}) << row.before;
        EXPECT_TRUE(isSolved(h.answers)) << row.before;
        EXPECT_EQ(h.algebra.equationCount, row.equationCount) << row.before;
        EXPECT_EQ(h.pageView.written.size(), row.written) << row.before;
        EXPECT_EQ(h.message(), "●解はありません●") << row.before;
    }
}

TEST(PracticeFlow, TheBudgetEndsWithTheLimitOnANarrowScreen) {
    PracticeHarness h(drillUnit(), {.equationLimit = 12, .rowsPerScreen = 6});
    h.start();
    fillTo(h, 10);
    EXPECT_EQ(h.view.quarterScrolls, 0);
    EXPECT_EQ(h.run("①×1"), Shown{});
    EXPECT_EQ(h.view.quarterScrolls, 0);
    // Equation 12 falls below the visible rows: the page moves down first.
    EXPECT_EQ(h.run("①×1"), budget(10));
    EXPECT_EQ(h.view.quarterScrolls, 1);
    EXPECT_EQ(h.algebra.equationCount, 12);
    expectIdle(h);

    // No equation 13: the refusal leaves the command as composed.
    h.compose("①×2");
    h.execute();
    EXPECT_EQ(h.takeShown(), budget(10));
    EXPECT_EQ(h.algebra.equationCount, 12);
    EXPECT_EQ(h.algebra.EquationTable[13].count, 0);
    EXPECT_FALSE(h.panelView.enabledButtons.contains(13));
    EXPECT_EQ(h.message(), "①×2");
    EXPECT_EQ(h.command.composeStep, ComposeStep::OperationChosen);
    EXPECT_EQ(h.operand(), "2");
    EXPECT_EQ(h.command.pnlNumber, "2");
    // Still composed: CL takes the typed number away, another is typed.
    h.press("CL");
    h.press("5");
    EXPECT_EQ(h.message(), "①×5");
    EXPECT_EQ(h.operand(), "5");

    // The completeness check comes first.
    h.correct();
    h.compose("①×");
    h.execute();
    EXPECT_EQ(h.takeShown(), Shown{OrderMessage});

    // 訂正 cancels, then takes back ⑫; the step can be taken again.
    h.correct();
    h.correct();
    EXPECT_EQ(h.algebra.equationCount, 11);
    EXPECT_EQ(h.run("①×1"), budget(10));
    EXPECT_EQ(h.algebra.equationCount, 12);
}

// The page moves down once, for the step that writes equation 12; a refused
// 実行 at ⑪ must not move it again and again.
TEST(PracticeFlow, ARefusedExecutionDoesNotMoveThePage) {
    PracticeHarness h(drillUnit());
    h.start();
    fillTo(h, 5);
    runAll(h, {"①＋②", "⑥÷3", "⑦代入②", "⑧移項", "⑨整理", "⑩×-1"});
    ASSERT_TRUE(isSolved(h.answers));
    ASSERT_EQ(h.algebra.equationCount, 11);
    h.compose("①×2");
    for (int i = 0; i < 4; ++i) {
        h.execute();
        EXPECT_EQ(h.takeShown(), Shown{SolvedRefusal});
    }
    EXPECT_EQ(h.view.quarterScrolls, 0);

    PracticeHarness g(drillUnit());
    g.start();
    fillTo(g, 11);
    g.compose("①×");
    g.execute();
    g.execute();
    g.press("3");
    g.execute();
    EXPECT_EQ(g.algebra.equationCount, 12);
    EXPECT_EQ(g.view.quarterScrolls, 1);
}

TEST(PracticeFlow, TheBudgetMessageCountsTheOperationsOfTheLayout) {
    struct Row {
        int limit;
        int rows;
        int number;
        int scrollAt; // the count from which an execution scrolls
    };
    for (const Row& row : {Row{24, 6, 22, 11}, Row{32, 8, 30, 15}}) {
        PracticeHarness h(drillUnit(), {.equationLimit = row.limit, .rowsPerScreen = row.rows});
        h.start();
        fillTo(h, row.scrollAt);
        EXPECT_EQ(h.view.quarterScrolls, 0) << row.limit;
        fillTo(h, row.limit - 1);
        EXPECT_EQ(h.view.quarterScrolls, 1) << row.limit;
        EXPECT_EQ(h.run("①×1"), budget(row.number)) << row.limit;
        EXPECT_EQ(h.run("①×1"), budget(row.number)) << row.limit;
        EXPECT_EQ(h.algebra.equationCount, row.limit) << row.limit;
    }
}

TEST(PracticeFlow, ASolvedProblemRefusesFurtherSteps) {
    PracticeHarness h(drillUnit(), {.keepRecords = true});
    h.start();
    runAll(h, {"①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "⑦×-1"});
    ASSERT_EQ(h.recordCount(1, 1), 1);
    h.pageView.forgetCalls();
    const int blinks = h.view.blinkStarts;

    h.compose("①×3");
    const CommandState composed = h.command;
    h.execute();
    EXPECT_EQ(h.takeShown(), Shown{SolvedRefusal});
    EXPECT_EQ(h.algebra.equationCount, 8);
    EXPECT_EQ(h.algebra.EquationTable[9].count, 0);
    EXPECT_EQ(h.recordCount(1, 1), 1);
    EXPECT_EQ(utf8FromCp932(h.flow.solvedMarks()), "★");
    EXPECT_EQ(h.view.blinkStarts, blinks);
    EXPECT_EQ(h.message(), "①×3");
    EXPECT_EQ(h.command.composeStep, composed.composeStep);
    EXPECT_EQ(h.command.lastEntry, composed.lastEntry);
    EXPECT_EQ(h.command.pnlNumber, composed.pnlNumber);
    EXPECT_TRUE(h.pageView.drawn.empty());
    EXPECT_TRUE(h.frameAgrees());
    h.press("CL");
    EXPECT_EQ(h.message(), "①×");

    // An incomplete command still gets the order message first.
    PracticeHarness g(drillUnit());
    g.start();
    runAll(g, {"①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "⑦×-1"});
    g.compose("①×");
    g.execute();
    EXPECT_EQ(g.takeShown(), Shown{OrderMessage});
}

// After a solve, 訂正 and Esc clear a command composed meanwhile; the steps
// stand and the page message is again the solve's.
TEST(PracticeFlow, ACommandComposedAfterASolveCanBeCleared) {
    struct Row {
        const char* problem;
        std::vector<const char*> road;
        std::vector<SpecialAnswer> choices;
        const char* command;
        bool escape;
        const char* message;
    };
    const Row rows[] = {
        {"2x+y=7;x-y=2",
         {"①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "⑦×-1"},
         {},
         "①＋②",
         false,
         "解が出ました"},
        {"2x+y=7;x-y=2",
         {"①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "⑦×-1"},
         {},
         "③×-2",
         true,
         "解が出ました"},
        {Identity, {"①×2", "③－②"}, {SpecialAnswer::InfinitelyMany}, "①×", false, "●解は無数にあります●"},
        {Contradiction, {"①－②"}, {SpecialAnswer::NoSolution}, "②", true, "●解はありません●"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.problem) + " " + row.command);
        PracticeHarness h(PracticeHarness::oneUnit({row.problem}));
        h.start();
        h.drillDialogs.specialResults.assign(row.choices.begin(), row.choices.end());
        for (const char* command : row.road)
            h.run(command);
        ASSERT_TRUE(isSolved(h.answers));
        const int count = h.algebra.equationCount;
        h.compose(row.command);
        if (row.escape)
            h.keyDown(27); // Escape
        else
            h.correct();
        EXPECT_EQ(h.algebra.equationCount, count);
        EXPECT_TRUE(isSolved(h.answers));
        EXPECT_EQ(h.message(), row.message);
        EXPECT_EQ(h.command.composeStep, ComposeStep::Nothing);
        EXPECT_EQ(h.command.operation, std::nullopt);
        EXPECT_EQ(h.operand(), "");
        EXPECT_FALSE(h.panelView.executeOn);
        EXPECT_FALSE(h.panelView.numberPadOn);
        EXPECT_EQ(h.page.highlightedEquation, -1);
        EXPECT_TRUE(h.frameAgrees());
    }
}

TEST(PracticeFlow, ASolvedProblemAtTheLimitIsNotPastTheBudget) {
    PracticeHarness h(drillUnit(), {.equationLimit = 12, .rowsPerScreen = 6});
    h.start();
    fillTo(h, 6);
    runAll(h, {"①＋②", "⑦÷3", "⑧代入②", "⑨移項", "⑩整理"});
    ASSERT_EQ(h.algebra.equationCount, 11);
    EXPECT_EQ(h.run("⑪×-1"), Shown{});
    EXPECT_EQ(h.algebra.equationCount, 12);
    EXPECT_TRUE(isSolved(h.answers));
    h.compose("①×2");
    h.execute();
    EXPECT_EQ(h.takeShown(), Shown{SolvedRefusal});
}

TEST(PracticeFlow, AProblemThatStartsSolvedFinishesAtOnce) {
    PracticeHarness h(PracticeHarness::oneUnit({"x=1;y=2", "2x+y=7;x-y=2"}), {.keepRecords = true});
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.takeShown(), Shown{"message: すでに解1,2がでています"});
    EXPECT_EQ(h.message(), "解が出ました");
    EXPECT_EQ(h.answers, (Answers{UnknownValue{'x', 1, 1}, UnknownValue{'y', 2, 1}}));
    EXPECT_EQ(h.algebra.equationCount, 2);
    EXPECT_EQ(h.pageView.answerBoxRow, 2);
    EXPECT_TRUE(h.pageView.answerBoxShown);
    EXPECT_EQ(h.pageView.colourOf(SolutionSlotX), "black");
    EXPECT_EQ(h.pageView.colourOf(SolutionSlotY), "black");
    EXPECT_EQ(h.recordCount(1, 1), 1);
    EXPECT_TRUE(h.view.blinking);
    EXPECT_EQ(utf8FromCp932(h.flow.solvedMarks()), "★");
    expectIdle(h);
    EXPECT_EQ(h.drillDialogs.specialShown, 0);
}

TEST(PracticeFlow, NextProblemOnlyDrawsAProblemThatIsSolvedAlready) {
    PracticeHarness h(drillUnit(), {.keepRecords = true});
    h.start();
    h.dialogs.replies = {Reply::Yes};
    h.pageView.forgetCalls();
    h.press("次の問題");
    EXPECT_EQ(h.takeShown(), Shown{GoOnQuestion + " -> Yes"});
    EXPECT_EQ(h.problems.problemNumbers[1], 2);
    EXPECT_EQ(h.equation(1), "1x = 1");
    EXPECT_EQ(h.equation(2), "1y = 2");
    EXPECT_EQ(h.pageView.colourOf(1), "black");
    EXPECT_EQ(h.pageView.colourOf(2), "black");
    EXPECT_EQ(h.answers, Answers{});
    EXPECT_EQ(h.message(), "");
    EXPECT_EQ(h.recordCount(1, 2), 0);
    EXPECT_FALSE(h.view.blinking);
    EXPECT_EQ(h.panelView.enabledButtons, (std::set<int>{1, 2}));
}

TEST(PracticeFlow, NextProblemAfterTheLastGoesBackToTheFirst) {
    PracticeHarness h(drillUnit());
    h.start();
    h.problems.problemNumbers[1] = 3;
    ASSERT_TRUE(h.flow.startProblem(true));
    h.dialogs.replies = {Reply::Yes};
    h.press("次の問題");
    EXPECT_EQ(h.takeShown(), (Shown{GoOnQuestion + " -> Yes", "message: 最初の問題に帰ります"}));
    EXPECT_EQ(h.problems.problemNumbers[1], 1);
    EXPECT_EQ(h.problems.currentUnit, 1);
    EXPECT_EQ(h.equation(1), "2x 1y = 7");
    EXPECT_EQ(h.view.captionText(), "1 (1)次の連立方程式を解きなさい");
}

TEST(PracticeFlow, NextProblemAsksFirstWhileTheProblemIsOpen) {
    PracticeHarness h(drillUnit());
    h.start();
    runAll(h, {"①＋②"});
    h.compose("③÷");
    h.pageView.answerBoxShown = true;
    h.view.blinking = true;

    h.dialogs.replies = {Reply::No};
    h.press("次の問題");
    EXPECT_EQ(h.takeShown(), Shown{GoOnQuestion + " -> No"});
    EXPECT_EQ(h.problems.problemNumbers[1], 1);
    EXPECT_EQ(h.algebra.equationCount, 3);
    EXPECT_EQ(h.equation(3), "3x = 9");
    EXPECT_EQ(h.message(), "③÷");
    EXPECT_EQ(h.command.composeStep, ComposeStep::OperationChosen);
    EXPECT_FALSE(h.view.blinking);
    EXPECT_FALSE(h.pageView.answerBoxShown);
    EXPECT_EQ(h.pageView.scrollsToTop, 1);

    h.dialogs.replies = {Reply::Yes};
    h.press("次の問題");
    EXPECT_EQ(h.takeShown(), Shown{GoOnQuestion + " -> Yes"});
    EXPECT_EQ(h.problems.problemNumbers[1], 2);
    EXPECT_EQ(h.algebra.equationCount, 2);
    EXPECT_EQ(h.algebra.EquationTable[3].count, 0);
    EXPECT_EQ(h.message(), "");
    expectIdle(h);
}

TEST(PracticeFlow, ANumberTypedBeforeTheNextProblemIsForgotten) {
    PracticeHarness h(drillUnit());
    h.start();
    h.compose("①×3");
    h.dialogs.replies = {Reply::Yes};
    h.press("次の問題");
    EXPECT_EQ(h.operand(), "");
    EXPECT_EQ(h.command.pnlNumber, "");
    EXPECT_EQ(h.command.operation, std::nullopt);
    h.press("5"); // no operation chosen: nothing
    EXPECT_EQ(h.operand(), "");
    h.compose("①×5");
    EXPECT_EQ(h.operand(), "5");
    EXPECT_EQ(h.message(), "①×5");

    // The same through 単元変更.
    h.compose("②×3");
    h.correct();
    h.compose("②×3");
    h.drillDialogs.selections = {ScriptedDrillDialogs::Selection{1, 3}};
    h.press("単元変更");
    EXPECT_EQ(h.operand(), "");
    EXPECT_EQ(h.command.operation, std::nullopt);
    h.compose("①÷7");
    EXPECT_EQ(h.operand(), "7");
}

std::vector<std::string> withBrokenProblem() {
    return PracticeHarness::oneUnit({"2x+y=7;x-y=2", "2x+y=7", "x+y=3;x-y=1"});
}

TEST(PracticeFlow, AProblemThatDoesNotLoadLeavesTheTableEmpty) {
    PracticeHarness h(withBrokenProblem());
    h.start();
    runAll(h, {"①＋②"});
    h.dialogs.replies = {Reply::Yes};
    h.pageView.forgetCalls();
    h.press("次の問題");
    const Shown shown = h.takeShown();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), GoOnQuestion + " -> Yes");
    EXPECT_EQ(shown.back(), "message: 2x+y=7：「;」がありません（2つの式は「;」で区切ります）");
    EXPECT_EQ(h.algebra.equationCount, 0);
    EXPECT_EQ(h.algebra.EquationTable[1].count, 0);
    EXPECT_EQ(h.algebra.EquationTable[2].count, 0);
    EXPECT_EQ(h.algebra.EquationTable[3].count, 0);
    EXPECT_TRUE(h.pageView.drawn.empty());
    EXPECT_TRUE(h.panelView.enabledButtons.empty());
    EXPECT_TRUE(h.panelView.nextOn);

    // Nothing can be chosen, and 次の問題 moves on without asking.
    h.press("①");
    EXPECT_EQ(h.command.composeStep, ComposeStep::Nothing);
    h.press("次の問題");
    EXPECT_EQ(h.takeShown(), Shown{});
    EXPECT_EQ(h.problems.problemNumbers[1], 3);
    EXPECT_EQ(h.algebra.equationCount, 2);
    EXPECT_EQ(h.equation(1), "1x 1y = 3");
}

TEST(PracticeFlow, StartingAProblemThatDoesNotLoadFails) {
    PracticeHarness h(withBrokenProblem());
    h.start();
    h.problems.problemNumbers[1] = 2;
    h.pageView.forgetCalls();
    EXPECT_FALSE(h.flow.startProblem(true));
    EXPECT_EQ(h.algebra.equationCount, 0);
    EXPECT_EQ(h.algebra.EquationTable[1].count, 0);
    EXPECT_EQ(h.algebra.EquationTable[2].count, 0);
    EXPECT_TRUE(h.pageView.drawn.empty());
    EXPECT_TRUE(h.panelView.enabledButtons.empty());
    EXPECT_TRUE(h.panelView.nextOn);
}

std::vector<std::string> twoUnits() {
    return {"<<単元1", "2x+y=7;x-y=2", "x+y=3;x-y=1", ">>", "<<単元2", "x+2y=5;x-y=2", "3x+y=5;x+y=3", ">>"};
}

TEST(PracticeFlow, ChangingTheUnitStartsTheChosenProblemAndKeepsThePositions) {
    PracticeHarness h(twoUnits());
    h.start();
    h.dialogs.replies = {Reply::Yes};
    h.press("次の問題");
    ASSERT_EQ(h.problems.problemNumbers[1], 2);

    h.drillDialogs.selections = {ScriptedDrillDialogs::Selection{2, 2}};
    h.press("単元変更");
    EXPECT_EQ(h.drillDialogs.selectionShown, 1);
    EXPECT_EQ(h.problems.currentUnit, 2);
    EXPECT_EQ(h.problems.problemNumbers[2], 2);
    EXPECT_EQ(h.problems.problemNumbers[1], 2);
    EXPECT_EQ(h.equation(1), "3x 1y = 5");
    EXPECT_EQ(h.view.captionText(), "2 (2)次の連立方程式を解きなさい");
    EXPECT_EQ(h.algebra.equationCount, 2);
}

TEST(PracticeFlow, CancellingTheUnitChangeChangesNothing) {
    PracticeHarness h(twoUnits());
    h.start();
    runAll(h, {"①＋②"});
    h.press("③");
    h.pageView.forgetCalls();
    const std::string caption = h.view.caption;
    h.drillDialogs.selections = {std::nullopt};
    h.press("単元変更");
    EXPECT_EQ(h.problems.currentUnit, 1);
    EXPECT_EQ(h.algebra.equationCount, 3);
    EXPECT_EQ(h.equation(3), "3x = 9");
    EXPECT_EQ(h.message(), "③");
    EXPECT_EQ(h.command.composeStep, ComposeStep::FirstEquation);
    EXPECT_EQ(h.page.highlightedEquation, 3);
    EXPECT_TRUE(h.frameAgrees());
    EXPECT_EQ(h.view.caption, caption);
    EXPECT_TRUE(h.pageView.drawn.empty());
    EXPECT_TRUE(h.pageView.blanked.empty());
}

// On a 640-wide screen the budget is 12 equations but the page has 24 rows;
// a problem solved at ⑫ prints its message on row 13, which the next
// problem must not keep.
TEST(PracticeFlow, ANewProblemClearsTheRowsBeyondTheBudgetToo) {
    PracticeHarness h(drillUnit(), {.equationLimit = 12, .rowsPerScreen = 6});
    h.start();
    h.algebra.equationCount = 12;
    h.pageView.setPageMessage(cp932("解が出ました"));
    h.pageView.forgetCalls();
    h.flow.clearProblemPage();
    for (int n = 13; n <= 24; ++n)
        EXPECT_NE(std::find(h.pageView.blanked.begin(), h.pageView.blanked.end(), n),
                  h.pageView.blanked.end())
            << n;
}

TEST(PracticeFlow, ANarrowScreenHidesTheButtonsBeyondItsLimit) {
    struct Row {
        int limit;
        int firstHidden;
    };
    for (const Row& row : {Row{12, 12}, Row{24, 24}, Row{32, 32}}) {
        PracticeHarness h(drillUnit(),
                          {.equationLimit = row.limit, .rowsPerScreen = row.limit == 32 ? 8 : 6});
        h.start();
        std::set<int> hidden;
        for (int n = row.firstHidden; n <= 32; ++n)
            hidden.insert(n);
        EXPECT_EQ(h.panelView.hiddenButtons, hidden) << row.limit;
        EXPECT_EQ(h.panelView.enabledButtons, (std::set<int>{1, 2})) << row.limit;
    }
}

TEST(PracticeFlow, StartingAProblemClearsThePageOfTheLastOne) {
    PracticeHarness h(drillUnit());
    h.start();
    runAll(h, {"①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "⑦×-1"});
    h.press("③"); // framed, on a solved problem
    h.pageView.forgetCalls();
    h.flow.clearProblemPage();
    std::vector<int> blanked;
    for (int n = 1; n <= 24; ++n)
        blanked.push_back(n);
    blanked.push_back(SolutionSlotX);
    blanked.push_back(SolutionSlotY);
    EXPECT_EQ(h.pageView.blanked, blanked);
    for (int n = 1; n < EquationSlots; ++n)
        EXPECT_EQ(h.algebra.EquationTable[static_cast<std::size_t>(n)].count, 0) << n;
    EXPECT_EQ(h.algebra.equationCount, 0);
    EXPECT_EQ(h.algebra.originCounter, 0);
    EXPECT_EQ(h.answers, Answers{});
    EXPECT_EQ(h.message(), "");
    EXPECT_FALSE(h.pageView.answerBoxShown);
    EXPECT_TRUE(h.panelView.nextOn);
    EXPECT_TRUE(h.panelView.enabledButtons.empty());
    EXPECT_EQ(h.command.firstEquation, 0);
    EXPECT_EQ(h.command.secondEquation, 0);
    expectIdle(h);
}

TEST(PracticeFlow, EveryCompletedProblemAddsAStarAcrossUnits) {
    PracticeHarness h(
        {"<<単元1", "x=1;y=2", ">>", "<<単元2", "x=3;y=4", ">>", "<<単元3", "2x+y=7;x-y=2", "x=1;y=1", ">>"});
    h.start();
    EXPECT_EQ(utf8FromCp932(h.flow.solvedMarks()), "★");
    h.drillDialogs.selections = {ScriptedDrillDialogs::Selection{2, 1}};
    h.press("単元変更");
    EXPECT_EQ(h.view.captionText(), "2 (1)次の連立方程式を解きなさい★");
    h.drillDialogs.selections = {ScriptedDrillDialogs::Selection{3, 2}};
    h.press("単元変更");
    EXPECT_EQ(h.view.captionText(), "3 (2)次の連立方程式を解きなさい★★");
    EXPECT_EQ(utf8FromCp932(h.flow.solvedMarks()), "★★★");
}

TEST(PracticeFlow, TheFrameFollowsTheChosenEquationThroughAWholeProblem) {
    PracticeHarness h(drillUnit());
    h.start();
    for (const RoadStep& step : TypicalRoad) {
        const char* command = step.command;
        h.compose(command);
        EXPECT_TRUE(h.frameAgrees()) << command;
        EXPECT_NE(h.page.highlightedEquation, -1) << command;
        h.execute();
        EXPECT_TRUE(h.frameAgrees()) << command;
        EXPECT_EQ(h.pageView.outlinesWithoutRow, 0) << command;
    }
    EXPECT_TRUE(isSolved(h.answers));
    h.press("⑤");
    EXPECT_TRUE(h.frameAgrees());
    h.correct(); // nothing happens on a solved problem, the frame included
    EXPECT_TRUE(h.frameAgrees());
    h.press("次の問題");
    EXPECT_TRUE(h.frameAgrees());
    EXPECT_TRUE(h.pageView.outlined.empty());
}

} // namespace
} // namespace tavolini
