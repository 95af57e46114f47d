// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "practice/step_log.h"
#include "support/practice_harness.h"
#include "support/typical_road.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

LoggedStep step(Operation operation, int first, int second = 0, std::string operand = "",
                SpecialAnswer named = SpecialAnswer::None) {
    return {operation, first, second, std::move(operand), named};
}

TEST(StepLog, TheTextFormRoundTrips) {
    const struct {
        const char* text;
        StepLog log;
    } rows[] = {
        {"", {}},
        {"1+@2 3/#3 4^@2 5I 6S 7*#-1",
         {step(Operation::Add, 1, 2), step(Operation::Divide, 3, 0, "3"), step(Operation::Substitute, 4, 2),
          step(Operation::Transpose, 5), step(Operation::Simplify, 6),
          step(Operation::Multiply, 7, 0, "-1")}},
        {"1-#0.5 12K 3*#3b2",
         {step(Operation::Subtract, 1, 0, "0.5"), step(Operation::Brackets, 12),
          step(Operation::Multiply, 3, 0, cp932("3分の2"))}},
        {"1*#2 3-@2!M",
         {step(Operation::Multiply, 1, 0, "2"),
          step(Operation::Subtract, 3, 2, "", SpecialAnswer::InfinitelyMany)}},
        {"1-@2!N", {step(Operation::Subtract, 1, 2, "", SpecialAnswer::NoSolution)}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseStepLog(row.text), row.log) << row.text;
        EXPECT_EQ(stepLogText(row.log), row.text);
    }
}

TEST(StepLog, TextsItCannotHaveWrittenAreRefused) {
    const std::string longOperand = "1*#" + std::string(25, '1');
    std::string tooMany;
    for (std::size_t i = 0; i <= LargestStepLog; ++i)
        tooMany += (i ? " " : "") + std::string("1S");
    const std::vector<std::string> texts = {" ",         "1S ",   " 1S",
                                            "1S  2S",    "S",     "0S",
                                            "01S",       "33S",   "100S",
                                            "1",         "1Q",    "1+",
                                            "1*",        "1*@2",  "1I#2",
                                            "1^#2",      "1^@",   "1+@0",
                                            "1*#",       "1*#1-", "1*#x",
                                            "1S!",       "1S!X",  "1S!MN",
                                            "1S@2",      "1S\n",  std::string("1S\0", 4),
                                            longOperand, tooMany, std::string(5000, '1')};
    for (const std::string& text : texts)
        EXPECT_EQ(parseStepLog(text), std::nullopt) << text;
}

// The flow logs what the pupil did; a fresh drill resumed from the log's
// text has the same table, the same rows and the same answers, and no
// dialog was shown nor a completion recorded on the way.
TEST(StepLog, AResumedProblemHasTheSameRows) {
    const struct {
        const char* name;
        const char* problem;
        std::vector<const char*> commands;
        std::vector<SpecialAnswer> choices;
        const char* text;
    } rows[] = {
        {"the typical road",
         "2x+y=7;x-y=2",
         {"①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "⑦×-1"},
         {},
         "1+@2 3/#3 4^@2 5I 6S 7*#-1"},
        {"half of it", "2x+y=7;x-y=2", {"①＋②", "③÷3"}, {}, "1+@2 3/#3"},
        {"a step taken back", "2x+y=7;x-y=2", {"①＋②", "③÷3", "訂正", "③×3分の1"}, {}, "1+@2 3*#3b1"},
        {"infinitely many", "x+y=1;2x+2y=2", {"①×2", "③－②"}, {SpecialAnswer::InfinitelyMany}, "1*#2 3-@2!M"},
        {"no solution, named after a wrong name",
         "x+y=1;x+y=3",
         {"①－②"},
         {SpecialAnswer::InfinitelyMany, SpecialAnswer::NoSolution},
         "1-@2!N"},
        {"an identity's dialog closed",
         "x+y=1;2x+2y=2",
         {"①×2", "③－②", "①＋2"},
         {SpecialAnswer::None},
         "1*#2 3-@2 1+#2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PracticeHarness worked(PracticeHarness::oneUnit({"x+y=3;x-y=1", row.problem}), {.keepRecords = true});
        ASSERT_TRUE(worked.start());
        worked.flow.nextProblem();
        worked.drillDialogs.specialResults.assign(row.choices.begin(), row.choices.end());
        for (const std::string command : row.commands) {
            if (command == "訂正")
                worked.correct();
            else
                worked.run(command);
        }
        const std::string text = stepLogText(worked.flow.stepLog());
        EXPECT_EQ(text, row.text);

        PracticeHarness resumed(PracticeHarness::oneUnit({"x+y=3;x-y=1", row.problem}),
                                {.keepRecords = true});
        ASSERT_TRUE(resumed.start());
        ASSERT_TRUE(resumed.flow.resumeProblem(1, 2, *parseStepLog(text)));
        EXPECT_EQ(resumed.takeShown(), std::vector<std::string>{});
        EXPECT_EQ(resumed.drillDialogs.specialShown, 0);
        EXPECT_EQ(resumed.recordCount(1, 2), 0);
        EXPECT_EQ(resumed.algebra.equationCount, worked.algebra.equationCount);
        for (int n = 1; n <= SolutionSlotY; ++n) {
            EXPECT_EQ(resumed.equation(n), worked.equation(n)) << n;
            EXPECT_EQ(resumed.sentence(n), worked.sentence(n)) << n;
            EXPECT_EQ(resumed.pageView.colourOf(n), worked.pageView.colourOf(n)) << n;
        }
        EXPECT_EQ(resumed.answers, worked.answers);
        EXPECT_EQ(resumed.view.blinking, worked.view.blinking);
        EXPECT_EQ(resumed.panelView.enabledButtons, worked.panelView.enabledButtons);
        EXPECT_EQ(stepLogText(resumed.flow.stepLog()), text);
    }
}

// A log that does not go as it went starts the problem fresh.
TEST(StepLog, ALogThatDoesNotReplayIsDropped) {
    const struct {
        int unit;
        int problem;
        const char* text;
    } rows[] = {
        {1, 1, "1+@1"},                          // the same origin
        {1, 1, "5S"},                            // no such equation yet
        {1, 1, "1K"},                            // no brackets
        {1, 1, "1*#0"},                          // refused by the executor
        {1, 1, "1-@2!M"},                        // not special
        {1, 1, "1+@2 3/#3 4/#1"},                // the unknown found again
        {1, 1, "1+@2 3/#3 4^@2 5I 6S 7*#-1 1S"}, // after the solve
        {1, 3, ""},                              // no such problem
        {2, 1, ""},                              // no such unit
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        PracticeHarness h(PracticeHarness::oneUnit({"2x+y=7;x-y=2", "x+y=3;x-y=1"}));
        ASSERT_TRUE(h.start());
        EXPECT_FALSE(h.flow.resumeProblem(row.unit, row.problem, *parseStepLog(row.text)));
        EXPECT_EQ(h.takeShown(), std::vector<std::string>{});
        EXPECT_EQ(h.algebra.equationCount, 2);
        EXPECT_EQ(h.equation(1), "2x 1y = 7");
        EXPECT_TRUE(h.flow.stepLog().empty());
    }
}

} // namespace
} // namespace tavolini
