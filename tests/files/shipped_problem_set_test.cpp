// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// The problem set shipped with the program: every problem must load, and
// have one integer solution unless its unit is the one of the special cases.
#include "core/algebra.h"
#include "core/cp932.h"
#include "files/problem_set.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace tavolini {
namespace {

const std::string ShippedSet = std::string(TAVOLINI_DATA_DIR) + "/ZUdir.sim";

class NoEnd final : public ProgramEnd {
public:
    void endProgram() override { ADD_FAILURE() << "the program was asked to end"; }
};

struct Fraction {
    std::int64_t num = 0;
    std::int64_t den = 1;
};

Fraction normal(std::int64_t num, std::int64_t den) {
    if (den < 0) num = -num, den = -den;
    const std::int64_t g = std::gcd(num, den);
    return g > 1 ? Fraction{num / g, den / g} : Fraction{num, den};
}
Fraction operator+(Fraction a, Fraction b) { return normal(a.num * b.den + b.num * a.den, a.den * b.den); }
Fraction operator-(Fraction a, Fraction b) { return normal(a.num * b.den - b.num * a.den, a.den * b.den); }
Fraction operator*(Fraction a, Fraction b) { return normal(a.num * b.num, a.den * b.den); }
Fraction operator/(Fraction a, Fraction b) { return normal(a.num * b.den, a.den * b.num); }
bool isZero(Fraction a) { return a.num == 0; }

bool isOpening(char kind) { return kind == '(' || kind == '[' || kind == '{' || kind == '\xA2'; }
bool isClosing(char kind) { return kind == ')' || kind == ']' || kind == '}' || kind == '\xA3'; }

// a u1 + b u2 = c, read from the tokens with every bracket multiplied out.
struct Linear {
    Fraction a, b, c;
};

Linear linearForm(const MShiki& equation, char unknown1) {
    Linear form;
    Fraction side{1, 1}; // the right side is moved to the left
    std::vector<Fraction> factors{{1, 1}};
    for (int i = 0; i < equation.count; ++i) {
        const ShikiToken& t = equation.tokens[static_cast<std::size_t>(i)];
        const Fraction value{t.num, t.den};
        if (t.kind == '/' || t.kind == '|') {
            if (i + 1 < equation.count && isOpening(equation.tokens[static_cast<std::size_t>(i + 1)].kind)) {
                factors.push_back(factors.back() * value);
                ++i;
            } else {
                form.c = form.c - side * factors.back() * value;
            }
        } else if (isOpening(t.kind)) {
            factors.push_back(factors.back());
        } else if (isClosing(t.kind)) {
            factors.pop_back();
        } else if (t.kind == '=') {
            side = {-1, 1};
        } else if (t.kind != '*') {
            Fraction& coefficient = t.kind == unknown1 ? form.a : form.b;
            coefficient = coefficient + side * factors.back() * value;
        }
    }
    return form;
}

enum class Solutions { One, Infinite, None };

struct Solved {
    Solutions kind;
    Fraction first, second;
};

Solved solve(const Linear& p, const Linear& q) {
    const Fraction det = p.a * q.b - q.a * p.b;
    if (!isZero(det)) return {Solutions::One, (p.c * q.b - q.c * p.b) / det, (p.a * q.c - q.a * p.c) / det};
    const bool consistent = isZero(p.a * q.c - q.a * p.c) && isZero(p.b * q.c - q.b * p.c);
    return {consistent ? Solutions::Infinite : Solutions::None, {}, {}};
}

bool hasJapanese(std::string_view title) {
    return std::any_of(title.begin(), title.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

TEST(ShippedProblemSet, IsCp932WithCrLfLineEnds) {
    const std::string bytes = readBytes(ShippedSet);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), std::count(bytes.begin(), bytes.end(), '\n'));
    EXPECT_EQ(bytes.find("\n\r"), std::string::npos);
    EXPECT_EQ(cp932(utf8FromCp932(bytes)), bytes); // every character is one of code page 932
}

TEST(ShippedProblemSet, EveryProblemLoadsAndHasTheSolutionsItShould) {
    ScriptedDialogs dialogs;
    Algebra algebra(dialogs);
    NoEnd programEnd;
    ProblemSet set;
    ASSERT_EQ(loadProblemSetFile(set, algebra, programEnd, ShippedSet).fault, SetFileFault::None);
    ASSERT_TRUE(readProblemSet(set, dialogs));
    EXPECT_GE(set.unitCount, 8);

    const std::string specialUnit = cp932("解が１つに決まらない問題");
    int problems = 0;
    int infinite = 0;
    int none = 0;
    for (int unit = 1; unit <= set.unitCount; ++unit) {
        const auto row = static_cast<std::size_t>(unit);
        EXPECT_TRUE(hasJapanese(set.UnitNames[row])) << unit;
        EXPECT_GE(set.problemCounts[row], 1);
        EXPECT_LE(set.problemCounts[row], MaxProblemsPerUnit);
        for (int k = 1; k <= set.problemCounts[row]; ++k) {
            const std::string& line = set.ProblemTexts[row][static_cast<std::size_t>(k)];
            ++problems;
            ASSERT_EQ(loadProblem(set, algebra, unit, k).invalid, 0) << line;
            EXPECT_TRUE(dialogs.shown.empty()) << line;
            ASSERT_NE(algebra.unknown2, '?') << line;

            const Solved solved = solve(linearForm(algebra.EquationTable[1], algebra.unknown1),
                                        linearForm(algebra.EquationTable[2], algebra.unknown1));
            if (set.UnitNames[row] == specialUnit) {
                EXPECT_NE(solved.kind, Solutions::One) << line;
                infinite += solved.kind == Solutions::Infinite;
                none += solved.kind == Solutions::None;
                continue;
            }
            ASSERT_EQ(solved.kind, Solutions::One) << line;
            for (const Fraction value : {solved.first, solved.second}) {
                EXPECT_EQ(value.den, 1) << line;
                EXPECT_LE(std::abs(value.num), 20) << line;
            }
        }
    }
    EXPECT_GE(problems, 30);
    EXPECT_GE(infinite, 1);
    EXPECT_GE(none, 1);
}

TEST(ShippedProblemSet, CoversEveryKindOfWriting) {
    ScriptedDialogs dialogs;
    ProblemSet set;
    set.lines = {};
    Algebra algebra(dialogs);
    NoEnd programEnd;
    ASSERT_EQ(loadProblemSetFile(set, algebra, programEnd, ShippedSet).fault, SetFileFault::None);
    std::string problems;
    for (const std::string& line : set.lines)
        if (!line.starts_with("<<") && line != ">>") problems += line + "\n";
    for (const char* feature : {"/", "|", ".", "(", "{", "[", "a", "b", "y=", "x="})
        EXPECT_NE(problems.find(feature), std::string::npos) << feature;
}

} // namespace
} // namespace tavolini
