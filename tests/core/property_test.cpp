// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Random inputs against independent references: token arithmetic against
// exact 128-bit fractions, and the parser against equations built term by term.
#include "core/cp932.h"
#include "core/parser.h"
#include "support/scripted_dialogs.h"
#include "support/token_text.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace tavolini {
namespace {

__extension__ typedef __int128 Wide; // wide enough for every product of two 64-bit values

Wide wideGcd(Wide a, Wide b) {
    if (a < 0) a = -a;
    if (b < 0) b = -b;
    while (b != 0) {
        const Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

bool fits(Wide v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

// The token a reduced exact fraction should become: lowest terms when not
// zero; a zero number or term 0/1, while the zero of '=' keeps the
// denominator the operation forms (0/1 when that is too wide); nothing when
// it does not fit.
CheckedToken expectedToken(Wide num, Wide zeroDen, Wide den, char kind) {
    if (num == 0 && kind != '=') return makeToken(0, 1, kind);
    if (num == 0) return makeToken(0, fits(zeroDen) ? static_cast<std::int32_t>(zeroDen) : 1, kind);
    const Wide g = wideGcd(num, den);
    num /= g;
    den /= g;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    if (!fits(num) || !fits(den)) return std::nullopt;
    return makeToken(static_cast<std::int32_t>(num), static_cast<std::int32_t>(den), kind);
}

class RandomTokens {
  public:
    explicit RandomTokens(unsigned seed) : m_random(seed) {}

    std::int32_t magnitude() {
        switch (std::uniform_int_distribution<int>(0, 3)(m_random)) {
        case 0:
            return std::uniform_int_distribution<std::int32_t>(0, 12)(m_random);
        case 1:
            return std::uniform_int_distribution<std::int32_t>(0, 99999)(m_random);
        case 2:
            return std::uniform_int_distribution<std::int32_t>(0, 1 << 20)(m_random);
        default:
            return std::uniform_int_distribution<std::int32_t>(0, std::numeric_limits<std::int32_t>::max())(
                m_random);
        }
    }

    ShikiToken token() {
        static constexpr char Kinds[] = {'/', '|', 'x', 'y', '='};
        std::int32_t num = magnitude();
        if (m_random() % 2) num = -num;
        if (m_random() % 50 == 0) num = std::numeric_limits<std::int32_t>::min();
        const std::int32_t den = std::max<std::int32_t>(1, magnitude());
        return makeToken(num, den, Kinds[m_random() % std::size(Kinds)]);
    }

  private:
    std::mt19937 m_random;
};

TEST(Property, TokenArithmeticMatchesExactFractions) {
    Messages messages;
    RandomTokens random(20261207);
    for (int i = 0; i < 200000; ++i) {
        const ShikiToken a = random.token();
        const ShikiToken b = random.token();
        const Wide an = a.num, ad = a.den, bn = b.num, bd = b.den;
        const char productKind = a.kind == '|' ? '/' : a.kind;
        const Wide l = ad * bd / wideGcd(ad, bd);

        ASSERT_EQ(addTokens(messages, a, b), expectedToken(an * bd + bn * ad, l, ad * bd, a.kind))
            << tokenText(a) << " + " << tokenText(b);
        ASSERT_EQ(subTokens(messages, a, b), expectedToken(an * bd - bn * ad, l, ad * bd, a.kind))
            << tokenText(a) << " - " << tokenText(b);

        const ShikiToken ra = reduceToken(a);
        const ShikiToken rb = reduceToken(b);
        ASSERT_EQ(mulTokens(a, b), expectedToken(an * bn, Wide{ra.den} * rb.den, ad * bd, productKind))
            << tokenText(a) << " * " << tokenText(b);
        if (b.num != 0) {
            const Wide bMagnitude = bn < 0 ? -bn : bn;
            const Wide quotientZeroDen = Wide{ra.den} * (bMagnitude / wideGcd(bMagnitude, bd));
            ASSERT_EQ(divTokens(messages, a, b),
                      expectedToken(an * bd, quotientZeroDen, ad * bn, productKind))
                << tokenText(a) << " / " << tokenText(b);
        }
    }
    EXPECT_TRUE(messages.empty());
}

TEST(Property, RandomTextsNeverBreakTheParser) {
    static constexpr char Alphabet[] = "0123456789xyzab+-=()[]{}|/.* \xA2\xA3\xA5\x82\x81\xFF#;";
    std::mt19937 random(7);
    Messages messages;
    Algebra algebra;
    for (int i = 0; i < 100000; ++i) {
        std::string text(random() % 56, ' ');
        for (char& c : text)
            c = Alphabet[random() % (sizeof Alphabet - 1)];
        MShiki& slot = algebra.EquationTable[random() % EquationSlots];
        const bool ok = parseEquation(algebra, slot, text, messages);
        ASSERT_LE(slot.count, MaxTokens) << text;
        ASSERT_GE(slot.count, 0) << text;
        ASSERT_EQ(ok, algebra.parseError == ParseError::None) << text;
        // A refusal says why in one sentence, never a bare character.
        ASSERT_EQ(messages.size(), ok ? 0U : 1U) << text;
        if (!ok) {
            ASSERT_GT(utf8FromCp932(messages.front().text).size(), 4U) << text;
        }
        if (ok) {
            ASSERT_GE(slot.count, 3) << text;
            for (int t = 0; t < slot.count; ++t)
                ASSERT_GT(slot.tokens[static_cast<std::size_t>(t)].den, 0) << text;
        }
        messages.clear();
    }
}

// Builds a random linear equation term by term, writes it in one of the
// ways a teacher might (fractions, decimals, spaces, implicit 1s), and checks
// that the parser reads back exactly those terms.
TEST(Property, WrittenEquationsReadBackTermByTerm) {
    std::mt19937 random(11);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Messages messages;
    Algebra algebra;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        MShiki expected;
        const int terms = pick(2, 6);
        const int equalsAt = pick(1, terms - 1);
        for (int term = 0; term < terms; ++term) {
            if (term == equalsAt) {
                text += pick(0, 1) ? " = " : "=";
                pushToken(expected, makeToken(0, 1, '='));
            }
            const bool first = term == 0 || term == equalsAt;
            const bool negative = pick(0, 1);
            if (negative)
                text += '-';
            else if (!first)
                text += '+';
            if (pick(0, 3) == 0) text += ' ';

            const char letter = "xyab/"[pick(0, 4)];
            int num = pick(1, 999);
            int den = 1;
            switch (pick(0, letter == '/' ? 2 : 3)) {
            case 0:
                text += std::to_string(num);
                break;
            case 1:
                den = pick(1, 99);
                text += std::to_string(num) + "/" + std::to_string(den);
                break;
            case 2:
                den = 10;
                text += std::to_string(num / 10) + "." + std::to_string(num % 10);
                break;
            default:
                num = 1; // an unwritten coefficient
                break;
            }
            if (letter != '/') text += letter;
            pushToken(expected, reduceToken(makeToken(negative ? -num : num, den, letter)));
        }
        ASSERT_TRUE(parseEquation(algebra, algebra.EquationTable[1], text, messages)) << text;
        ASSERT_EQ(tokensText(algebra.EquationTable[1]), tokensText(expected)) << text;
    }
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace tavolini
