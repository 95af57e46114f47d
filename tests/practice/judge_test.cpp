// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/parser.h"
#include "practice/judge.h"
#include "support/drill.h"
#include "support/parse_quietly.h"
#include "support/token_text.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

// Judges one text written into slot 3 of the problem x+y=3;x-y=1.
Verdict judge(Drill& drill, const char* text) {
    MShiki& slot = drill.algebra.EquationTable[3];
    EXPECT_TRUE(parseKeepingBar(drill.algebra, slot, text)) << text;
    drill.algebra.equationCount = 3;
    return judgeEquation(drill.algebra, drill.answers, 3);
}

// Only "letter = number" with the number written with '/' states a value:
// the judge and 訂正 read it by the same rule.
TEST(Judge, ClassifiesEquationsAndRecordsTheValueStated) {
    struct Row {
        const char* text;
        Verdict verdict;
        Answers answers;
    };
    const Row rows[] = {
        {"x=3", Verdict::FirstFound, {UnknownValue{'x', 3, 1}}},
        {"y=-1/2", Verdict::SecondFound, {{}, UnknownValue{'y', -1, 2}}},
        {"x=6/4", Verdict::FirstFound, {UnknownValue{'x', 3, 2}}}, // read in lowest terms
        {"x=1|2", Verdict::Ordinary, {}},
        {"-x=3", Verdict::Ordinary, {}},
        {"2x=6", Verdict::Ordinary, {}},
        {"3=x", Verdict::Ordinary, {}},
        {"x=y", Verdict::Ordinary, {}},
        {"0=0", Verdict::Identity, {}},
        {"0x=0", Verdict::Identity, {}},
        {"4=4", Verdict::Identity, {}},
        {"0=5", Verdict::Contradiction, {}},
        {"0x=5", Verdict::Contradiction, {}},
        {"2=5", Verdict::Ordinary, {}},
        {"1=2", Verdict::Ordinary, {}},
        {"x+y=1", Verdict::Ordinary, {}},
        {"x=1+2", Verdict::Ordinary, {}},
        {"2/4=1/2", Verdict::Identity, {}},
    };
    for (const Row& row : rows) {
        Drill drill;
        ASSERT_TRUE(drill.load("x+y=3", "x-y=1"));
        EXPECT_EQ(judge(drill, row.text), row.verdict) << row.text;
        EXPECT_EQ(drill.answers, row.answers) << row.text;
    }
}

TEST(Judge, RecordsAnAnswerOnceAndItsSlot) {
    Drill drill;
    ASSERT_TRUE(drill.load("x+y=3", "x-y=1"));
    EXPECT_EQ(judge(drill, "x=2"), Verdict::FirstFound);
    EXPECT_EQ(tokensText(drill.algebra.EquationTable[SolutionSlotX]), "1x = 2");
    const Answers found = drill.answers;

    EXPECT_EQ(judge(drill, "x=5"), Verdict::FirstAgain);
    EXPECT_EQ(drill.answers, found);
    EXPECT_EQ(tokensText(drill.algebra.EquationTable[SolutionSlotX]), "1x = 2");
    EXPECT_FALSE(isSolved(drill.answers));

    EXPECT_EQ(judge(drill, "y=1"), Verdict::SecondFound);
    EXPECT_EQ(judge(drill, "y=1"), Verdict::SecondAgain);
    EXPECT_TRUE(isSolved(drill.answers));
}

TEST(Judge, LooksOnlyAtWrittenEquations) {
    Drill drill;
    ASSERT_TRUE(drill.load("x=3", "y=1"));
    EXPECT_EQ(judgeEquation(drill.algebra, drill.answers, 3), Verdict::Ordinary); // above equationCount
    EXPECT_EQ(judgeEquation(drill.algebra, drill.answers, -1), Verdict::Ordinary);
    drill.algebra.equationCount = 99;
    EXPECT_EQ(judgeEquation(drill.algebra, drill.answers, 40), Verdict::Ordinary); // beyond the table
    EXPECT_EQ(judgeEquation(drill.algebra, drill.answers, 1), Verdict::FirstFound);
}

TEST(Judge, SolvedByBothAnswersOrASpecialCase) {
    const UnknownValue x{'x', 1, 1};
    const UnknownValue y{'y', 2, 1};
    const struct {
        Answers answers;
        bool solved;
        const char* message;
    } rows[] = {
        {{}, false, "解が出ました"},
        {{x}, false, "解が出ました"},
        {{{}, y}, false, "解が出ました"},
        {{x, y}, true, "解が出ました"},
        {{.special = SpecialAnswer::NoSolution}, true, "●解はありません●"},
        {{.special = SpecialAnswer::InfinitelyMany}, true, "●解は無数にあります●"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(isSolved(row.answers), row.solved) << row.message;
        EXPECT_EQ(utf8FromCp932(solvedMessage(row.answers)), row.message);
    }
}

} // namespace
} // namespace tavolini
