// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/token.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>
#include <limits>

namespace tavolini {
namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

ShikiToken t(std::int32_t num, std::int32_t den, char kind = '/') {
    return makeToken(num, den, kind);
}

TEST(Token, MakeTokenKeepsItsValuesUnreduced) {
    const ShikiToken token = makeToken(6, 4, 'x');
    EXPECT_EQ(token.num, 6);
    EXPECT_EQ(token.den, 4);
    EXPECT_EQ(token.kind, 'x');
    EXPECT_EQ(TokenZero, t(0, 1));
    EXPECT_EQ(TokenOne, t(1, 1));
}

TEST(Token, GcdAndLcm) {
    Messages messages;
    EXPECT_EQ(gcd(0, 5), 0);
    EXPECT_EQ(gcd(5, 0), 0);
    EXPECT_EQ(gcd(-4, 6), 2);
    EXPECT_EQ(gcd(7, 13), 1);
    EXPECT_EQ(gcd(Min, Min), std::int64_t{1} << 31);
    EXPECT_EQ(lcm(messages, 4, 6), 12);
    EXPECT_EQ(lcm(messages, -4, 6), -12);
    EXPECT_EQ(lcm(messages, Max, Max - 1), std::int64_t{Max} * (Max - 1));
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(lcm(messages, 0, 3), 0);
    EXPECT_EQ(shownText(messages), std::vector<std::string>{"message: x=0,y=3GCDが０です"});
}

TEST(Token, ReduceToken) {
    struct Row {
        ShikiToken in, out;
    };
    const Row rows[] = {
        {t(0, 7), t(0, 1)},                                         // a zero number is written 0
        {t(0, 7, 'x'), t(0, 1, 'x')}, {t(0, 7, '='), t(0, 7, '=')}, // '=' holds no value
        {t(-6, 4), t(-3, 2)},                                       // the sign stays in the numerator
        {t(5, 1), t(5, 1)},                                         //
        {t(4, 2, 'x'), t(2, 1, 'x')}, {t(Min, 2), t(Min / 2, 1)},   {t(Min, 1), t(Min, 1)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(reduceToken(row.in), row.out) << row.in.num << "/" << row.in.den;
}

TEST(Token, ArithmeticValuesAndKinds) {
    Messages messages;
    struct Row {
        const char* name;
        CheckedToken result, expected;
    };
    const Row rows[] = {
        {"1/2 + 1/2", addTokens(messages, t(1, 2), t(1, 2)), t(1, 1)},
        {"1/2 - 1/2 is 0", subTokens(messages, t(1, 2), t(1, 2)), t(0, 1)},
        {"a zero term is 0 too", subTokens(messages, t(1, 6, 'y'), t(1, 6)), t(0, 1, 'y')},
        {"1/6 + 1/4", addTokens(messages, t(1, 6), t(1, 4)), t(5, 12)},
        {"a sum keeps the kind of a, '|' too", addTokens(messages, t(1, 3, '|'), t(1, 3, 'x')), t(2, 3, '|')},
        {"2/4 x 1/1: factors reduced first", mulTokens(t(2, 4), t(1, 1)), t(1, 2)},
        {"0/4 x 3/2 is 0", mulTokens(t(0, 4), t(3, 2)), t(0, 1)},
        {"0 / 2/5 is 0", divTokens(messages, t(0, 25), t(2, 5)), t(0, 1)},
        {"'|' becomes '/' in a product", mulTokens(t(1, 2, '|'), t(2, 1, 'x')), t(1, 1, '/')},
        {"a term keeps its letter in a product", mulTokens(t(3, 1, 'x'), t(1, 3, '|')), t(1, 1, 'x')},
        {"3/1 / -2/3", divTokens(messages, t(3, 1), t(-2, 3)), t(-9, 2)},
        {"-4/1 / -2/1", divTokens(messages, t(-4, 1, 'y'), t(-2, 1)), t(2, 1, 'y')},
        {"'|' becomes '/' in a quotient", divTokens(messages, t(1, 2, '|'), t(1, 2)), t(1, 1, '/')},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.result, row.expected) << row.name;
    EXPECT_TRUE(messages.empty());
}

TEST(Token, DividingByZeroAsksAndYieldsZeroWithTheDividendsKind) {
    // The box is asked for, its answer changes nothing.
    Messages messages;
    EXPECT_EQ(divTokens(messages, t(3, 1, 'x'), t(0, 5)), t(0, 1, 'x'));
    EXPECT_EQ(messages, (Messages{{MessageBox::AbortRetryIgnore, cp932("0 で割ることはできません")}}));
    EXPECT_EQ(shownText(messages),
              std::vector<std::string>{"question: 確認: 0 で割ることはできません -> Ignore"});
}

TEST(Token, AZeroDenominatorInASumIsReportedAndYieldsZero) {
    Messages messages;
    EXPECT_EQ(addTokens(messages, t(1, 0, 'x'), t(1, 3)), t(0, 1, 'x'));
    EXPECT_EQ(shownText(messages), std::vector<std::string>{"message: x=0,y=3GCDが０です"});
}

TEST(Token, ResultsThatDoNotFitAreReportedAsOverflow) {
    Messages messages;
    EXPECT_FALSE(addTokens(messages, t(Max, 1), t(1, 1)));
    EXPECT_FALSE(subTokens(messages, t(Min, 1), t(1, 1)));
    EXPECT_FALSE(subTokens(messages, t(0, 1), t(Min, 1))); // -INT32_MIN
    EXPECT_FALSE(addTokens(messages, t(1, 65536), t(1, 65537)));
    EXPECT_FALSE(mulTokens(t(65536, 1), t(32768, 1)));
    EXPECT_FALSE(mulTokens(t(1, 65536), t(1, 32768)));
    EXPECT_FALSE(divTokens(messages, t(1, 1), t(Min, 1))); // 1 / -2^31: the denominator is 2^31
    EXPECT_FALSE(divTokens(messages, t(Min, 1), t(-1, 1)));
    EXPECT_TRUE(messages.empty());
}

TEST(Token, ResultsAtTheEdgeOfTheRangeStillFit) {
    Messages messages;
    EXPECT_EQ(addTokens(messages, t(Max - 1, 1), t(1, 1)), t(Max, 1));
    EXPECT_EQ(subTokens(messages, t(Min + 1, 1), t(1, 1)), t(Min, 1));
    EXPECT_EQ(mulTokens(t(Min, 3), t(3, 1)), t(Min, 1));
    EXPECT_EQ(divTokens(messages, t(Min, 1), t(Min, 1)), t(1, 1));
    EXPECT_EQ(divTokens(messages, t(1, 1), t(-1, Max)), t(-Max, 1));
    // Intermediate products beyond 32 bits that reduce back into range.
    EXPECT_EQ(mulTokens(t(65536, 65537), t(65537, 65536)), t(1, 1));
    EXPECT_EQ(addTokens(messages, t(1, 65536), t(-1, 65536)), t(0, 1));
    // A zero over a denominator too wide for 32 bits is still exactly zero.
    EXPECT_EQ(subTokens(messages, t(65537, 65537 * 16), t(65536, 65536 * 16)), t(0, 1));
    EXPECT_EQ(mulTokens(t(0, 65536), t(1, 65537)), t(0, 1));
}

// The messages of several steps come out in the order they were reported,
// each in its own box; the answer to the question is read by nobody.
TEST(Token, ReportedMessagesAreShownInTheirOrderAndBoxes) {
    Messages messages;
    addTokens(messages, t(1, 0), t(1, 3));
    divTokens(messages, t(1, 1), t(0, 1));
    subTokens(messages, t(1, 3), t(1, 0));
    ScriptedDialogs dialogs;
    dialogs.replies = {Reply::Abort};
    showMessages(dialogs, messages);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"message: x=0,y=3GCDが０です",
                                                       "question: 確認: 0 で割ることはできません -> Abort",
                                                       "message: x=3,y=0GCDが０です"}));
}
} // namespace
} // namespace tavolini
