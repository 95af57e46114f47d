// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/algebra.h"
#include "core/cp932.h"
#include "core/equation_labels.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

TEST(Equation, PopReturnsWhatPushStored) {
    MShiki equation;
    ASSERT_TRUE(pushToken(equation, makeToken(2, 1, 'x')));
    ASSERT_TRUE(pushToken(equation, makeToken(-3, 4, 'y')));
    EXPECT_EQ(popToken(equation), makeToken(-3, 4, 'y'));
    EXPECT_EQ(equation.count, 1);
    EXPECT_TRUE(pushToken(equation, makeToken(5, 1, '/')));
    EXPECT_EQ(equation.count, 2);
}

TEST(Equation, TheRecordNeverGrowsPastFortyOrBelowZero) {
    MShiki equation;
    for (int i = 0; i < MaxTokens; ++i)
        ASSERT_TRUE(pushToken(equation, makeToken(i, 1, '/')));
    EXPECT_FALSE(pushToken(equation, makeToken(99, 1, '/')));
    EXPECT_EQ(equation.count, MaxTokens);
    EXPECT_EQ(equation.tokens.back(), makeToken(MaxTokens - 1, 1, '/'));

    clearEquation(equation);
    EXPECT_EQ(equation.count, 0);
    EXPECT_EQ(popToken(equation), TokenZero);
    EXPECT_EQ(equation.count, 0);

    equation.count = -5; // a damaged count is refused, not used as an index
    EXPECT_FALSE(pushToken(equation, TokenOne));
    EXPECT_EQ(popToken(equation), TokenZero);
}

TEST(Equation, ClearKeepsOriginAndStepText) {
    MShiki equation;
    equation.origin = 3;
    equation.stepText = "step";
    pushToken(equation, TokenOne);
    clearEquation(equation);
    EXPECT_EQ(equation.origin, 3);
    EXPECT_EQ(equation.stepText, "step");
}

TEST(EquationTable, StartsEmptyAndHoldsRecordsByValue) {
    ScriptedDialogs dialogs;
    Algebra algebra;
    EXPECT_EQ(algebra.EquationTable.size(), 37U);
    for (const MShiki& slot : algebra.EquationTable) {
        EXPECT_EQ(slot.count, 0);
        EXPECT_EQ(slot.origin, 0);
        EXPECT_TRUE(slot.stepText.empty());
    }
    EXPECT_EQ(algebra.unknown1, '?');
    EXPECT_EQ(algebra.unknown2, '?');
    EXPECT_LT(SolutionSlotY, EquationSlots);

    algebra.EquationTable[3].stepText = cp932("①式の両辺を3倍すると");
    MShiki copy = algebra.EquationTable[3];
    copy.stepText += "!";
    EXPECT_EQ(algebra.EquationTable[3].stepText, cp932("①式の両辺を3倍すると"));
}

TEST(EquationLabels, NameEveryEquationNumber) {
    const auto& labels = EquationLabels();
    EXPECT_EQ(labels[0], "0");
    EXPECT_EQ(labels[1], "\x87\x40"); // ① in code page 932
    EXPECT_EQ(utf8FromCp932(labels[1]), "①");
    EXPECT_EQ(utf8FromCp932(labels[13]), "⑬");
    EXPECT_EQ(utf8FromCp932(labels[20]), "⑳");
    EXPECT_EQ(labels[21], "(21)");
    EXPECT_EQ(labels[32], "(32)");
}

} // namespace
} // namespace tavolini
