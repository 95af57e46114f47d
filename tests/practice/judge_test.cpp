// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
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
    using enum Verdict;
    const Row rows[] = {
        {"x=3", FirstFound, {UnknownValue{'x', 3, 1}}},
        {"y=-1/2", SecondFound, {{}, UnknownValue{'y', -1, 2}}},
        {"x=6/4", FirstFound, {UnknownValue{'x', 3, 2}}}, // read in lowest terms
        {"x=1|2", Ordinary, {}},
        {"-x=3", Ordinary, {}},
        {"2x=6", Ordinary, {}},
        {"3=x", Ordinary, {}},
        {"x=y", Ordinary, {}},
        {"0=0", Identity, {}},
        {"0x=0", Identity, {}},
        {"4=4", Identity, {}},
        {"0=5", Contradiction, {}},
        {"0x=5", Contradiction, {}},
        {"2=5", Ordinary, {}},
        {"1=2", Ordinary, {}},
        {"x+y=1", Ordinary, {}},
        {"x=1+2", Ordinary, {}},
        {"2/4=1/2", Identity, {}},
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
    EXPECT_FALSE(isSolved({}));
    EXPECT_FALSE(isSolved({x}));
    EXPECT_FALSE(isSolved({{}, y}));
    EXPECT_TRUE(isSolved({x, y}));
    EXPECT_TRUE(isSolved({.special = SpecialAnswer::NoSolution}));
    EXPECT_TRUE(isSolved({.special = SpecialAnswer::InfinitelyMany}));
}

} // namespace
} // namespace tavolini
