// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// The problem set shipped with the program: sixteen units of five problems in
// the order the course teaches them, each problem solvable by its hints.
#include "core/algebra.h"
#include "core/cp932.h"
#include "editing/problem_check.h"
#include "files/problem_set.h"
#include "practice/problem_set_menu.h"
#include "practice/start_up_set.h"
#include "presentation/page_layout.h"
#include "presentation/page_state.h"
#include "support/drill.h"
#include "support/scripted_dialogs.h"
#include "support/solver.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <set>
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
Fraction operator+(Fraction a, Fraction b) {
    return normal(a.num * b.den + b.num * a.den, a.den * b.den);
}
Fraction operator-(Fraction a, Fraction b) {
    return normal(a.num * b.den - b.num * a.den, a.den * b.den);
}
Fraction operator*(Fraction a, Fraction b) {
    return normal(a.num * b.num, a.den * b.den);
}
Fraction operator/(Fraction a, Fraction b) {
    return normal(a.num * b.den, a.den * b.num);
}
bool isZero(Fraction a) {
    return a.num == 0;
}

bool isOpening(char kind) {
    return kind == '(' || kind == '[' || kind == '{' || kind == '\xA2';
}
bool isClosing(char kind) {
    return kind == ')' || kind == ']' || kind == '}' || kind == '\xA3';
}

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

TEST(ShippedProblemSet, IsCp932WithCrLfLineEnds) {
    const std::string bytes = readBytes(ShippedSet);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), std::count(bytes.begin(), bytes.end(), '\n'));
    EXPECT_EQ(bytes.find("\n\r"), std::string::npos);
    EXPECT_EQ(cp932(utf8FromCp932(bytes)), bytes); // every character is one of code page 932
}

// The course the shipped set teaches, unit by unit, and the solutions its
// problems must have: Negative and Fractional units in every problem.
enum class Expect { Integers, Negative, Fractional, Special };

struct CourseUnit {
    const char* title;
    Expect solutions;
};

const CourseUnit Course[MaxUnits] = {
    {"加減法（係数がそろっている）", Expect::Integers},
    {"加減法（一方の式を何倍かする）", Expect::Integers},
    {"加減法（両方の式を何倍かする）", Expect::Integers},
    {"代入法（ｙ＝の式）", Expect::Integers},
    {"代入法（ｘ＝の式）", Expect::Integers},
    {"代入法（式を代入する）", Expect::Integers},
    {"かっこのある式", Expect::Integers},
    {"分数をふくむ式", Expect::Integers},
    {"小数をふくむ式", Expect::Integers},
    {"係数の大きい式", Expect::Integers},
    {"解が負の数になる問題", Expect::Negative},
    {"解が分数になる問題", Expect::Fractional},
    {"ｘ，ｙ以外の文字", Expect::Integers},
    {"いろいろな問題（１）", Expect::Integers},
    {"いろいろな問題（２）", Expect::Integers},
    {"解が１つに決まらない問題", Expect::Special},
};

std::string foldedAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Every problem passes the editor's check and is worked to the right answer
// by following the hints alone, within what a 640-pixel screen can show.
TEST(ShippedProblemSet, EveryProblemLoadsAndHasTheSolutionsItShould) {
    ScriptedDialogs dialogs;
    Algebra algebra;
    NoEnd programEnd;
    ProblemSet set;
    ASSERT_EQ(loadProblemSetFile(set, algebra, dialogs, programEnd, ShippedSet).fault, SetFileFault::None);
    ASSERT_TRUE(readProblemSetShowing(set, dialogs));
    ASSERT_EQ(set.unitCount, MaxUnits);

    std::vector<EditorLine> lines;
    for (const std::string& line : set.lines)
        lines.push_back({line, 0});
    const ProblemCheck check = checkProblemSet(lines);
    EXPECT_EQ(check.verdict, CheckVerdict::Passed);
    EXPECT_EQ(check.unitCount, MaxUnits);
    EXPECT_TRUE(check.messages.empty());
    EXPECT_TRUE(dialogs.shown.empty());

    PageState page;
    setPageGeometry(page, 640, PageSetup{}.mainPanel.width);
    const int operations = page.equationLimit - 2; // after the problem's own two equations

    std::set<std::string> titles;
    for (int unit = 1; unit <= MaxUnits; ++unit) {
        const auto row = static_cast<std::size_t>(unit);
        const CourseUnit& course = Course[row - 1];
        EXPECT_EQ(utf8FromCp932(set.UnitNames[row]), course.title);
        titles.insert(foldedAscii(set.UnitNames[row]));
        ASSERT_EQ(set.problemCounts[row], MaxProblemsPerUnit) << course.title;
        int infinite = 0, none = 0, negative = 0, fractional = 0;
        for (int k = 1; k <= MaxProblemsPerUnit; ++k) {
            const std::string line = utf8FromCp932(set.ProblemTexts[row][static_cast<std::size_t>(k)]);
            Drill drill;
            ASSERT_TRUE(drill.loadProblemOf(set, unit, k)) << line;
            const Algebra& a = drill.algebra;
            const Solved exact =
                solve(linearForm(a.EquationTable[1], a.unknown1), linearForm(a.EquationTable[2], a.unknown1));
            const Solution worked = solveLoadedProblem(drill, operations);
            std::string road;
            for (const std::string& command : worked.commands)
                road += command + " ";
            EXPECT_TRUE(worked.solved) << line << ": " << road;
            EXPECT_LE(a.equationCount, page.equationLimit) << line;

            infinite += exact.kind == Solutions::Infinite;
            none += exact.kind == Solutions::None;
            if (exact.kind != Solutions::One) {
                EXPECT_EQ(worked.answers.special, exact.kind == Solutions::Infinite
                                                      ? SpecialAnswer::InfinitelyMany
                                                      : SpecialAnswer::NoSolution)
                    << line;
                continue;
            }
            const auto value = [](char letter, Fraction v) {
                return UnknownValue{letter, static_cast<std::int32_t>(v.num),
                                    static_cast<std::int32_t>(v.den)};
            };
            const Answers expected{value(a.unknown1, exact.first), value(a.unknown2, exact.second)};
            EXPECT_EQ(worked.answers, expected) << line << ": " << road;
            for (const Fraction value : {exact.first, exact.second})
                EXPECT_LE(std::abs(value.num), 20) << line;
            negative += exact.first.num < 0 || exact.second.num < 0;
            fractional += exact.first.den != 1 || exact.second.den != 1;
        }
        const auto all = [&course](Expect kind) { return course.solutions == kind ? MaxProblemsPerUnit : 0; };
        EXPECT_EQ(infinite + none, all(Expect::Special)) << course.title;
        EXPECT_EQ(infinite > 0 && none > 0, course.solutions == Expect::Special) << course.title;
        EXPECT_GE(negative, all(Expect::Negative)) << course.title;
        EXPECT_EQ(fractional, all(Expect::Fractional)) << course.title;
    }
    EXPECT_EQ(titles.size(), static_cast<std::size_t>(MaxUnits)); // the record file folds ASCII case
}

TEST(ShippedProblemSet, CoversEveryKindOfWriting) {
    ScriptedDialogs dialogs;
    ProblemSet set;
    set.lines = {};
    Algebra algebra;
    NoEnd programEnd;
    ASSERT_EQ(loadProblemSetFile(set, algebra, dialogs, programEnd, ShippedSet).fault, SetFileFault::None);
    std::string problems;
    for (const std::string& line : set.lines)
        if (!line.starts_with("<<") && line != ">>") problems += line + "\n";
    for (const char* feature : {"/", "|", ".", "(", "{", "[", "a", "b", "y=", "x="})
        EXPECT_NE(problems.find(feature), std::string::npos) << feature;
}

} // namespace
} // namespace tavolini
