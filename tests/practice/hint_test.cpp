// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "practice/hint.h"
#include "support/drill.h"
#include "support/solver.h"

#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace tavolini {
namespace {

std::string hintAfter(const char* first, const char* second, const std::vector<std::string>& steps,
                      int limit = 24) {
    Drill drill;
    EXPECT_TRUE(drill.load(first, second)) << first;
    for (int n = 1; n <= 2; ++n)
        judgeEquation(drill.algebra, drill.answers, n);
    for (const std::string& step : steps) {
        EXPECT_NE(drill.run(step), "refused") << step;
        judgeEquation(drill.algebra, drill.answers, drill.algebra.equationCount);
    }
    return utf8FromCp932(hintMessage(drill.algebra, drill.answers, limit));
}

// A problem, the steps taken, and the hint that must follow.
struct HintRow {
    const char* first;
    const char* second;
    std::vector<std::string> steps;
    const char* hint;
};

TEST(Hint, SuggestsWhatATeacherWould) {
    const HintRow rows[] = {
        {"2x+y=7", "x-y=2", {}, "ヒント：①＋②（yが消えます）"},
        {"2x+y=7", "x-y=2", {"①＋②"}, "ヒント：③÷3（xを求めます）"},
        {"2x+y=7", "x-y=2", {"①＋②", "③÷3"}, "ヒント：④代入②（値を入れます）"},
        {"2x+y=7", "x-y=2", {"①＋②", "③÷3", "④代入②"}, "ヒント：⑤－3（数を消します）"},
        {"2x+y=7", "x-y=2", {"①＋②", "③÷3", "④代入②", "⑤移項"}, "ヒント：⑥整理"},
        {"2x+y=7", "x-y=2", {"①＋②", "③÷3", "④代入②", "⑤－3"}, "ヒント：⑥÷-1（yを求めます）"},
        {"2(x+1)-y=5", "x+y=4", {}, "ヒント：①かっこ"},
        {"y=2x+1", "3x+y=11", {}, "ヒント：①代入②（式を入れます）"},
        {"3x+2y=12", "x+y=5", {}, "ヒント：②×2（yをそろえます）"},
        {"x+y=2", "x+y=3", {}, "ヒント：①－②（yが消えます）"},
        {"2x+y=7", "x-y=2", {"①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "⑦×-1"}, "ヒント：解けています"},
    };
    for (const HintRow& row : rows)
        EXPECT_EQ(hintAfter(row.first, row.second, row.steps), row.hint) << row.first;
    EXPECT_EQ(hintAfter("2x+y=7", "x-y=2", {"①＋②"}, 3), "ヒント：もう式が書けません");
}

// Fractions and decimals are cleared before anything is eliminated, once in
// a family, brackets before them; an equation about to be divided or
// substituted is left as it stands.
TEST(Hint, ClearsFractionsAndDecimalsAsATeacherWould) {
    const HintRow rows[] = {
        {"1/2x+1/3y=2", "x-y=1", {}, "ヒント：①×6（分母をはらいます）"},
        {"x+y=5", "1/4x-1/6y=0", {}, "ヒント：②×12（分母をはらいます）"},
        {"1/2x+1/3y=2", "1/4x-1/6y=0", {}, "ヒント：①×6（分母をはらいます）"},
        {"0.2x+0.3y=1.3", "x+y=5", {}, "ヒント：①×10（小数をなくします）"},
        {"0.25x+0.5y=2", "x+y=5", {}, "ヒント：①×100（小数をなくします）"},
        {"0.5x+1/3y=2", "x+y=5", {}, "ヒント：①×6（分母をはらいます）"},
        {"2(x+1)-y=5", "1/2x+1/3y=2", {}, "ヒント：①かっこ"},
        {"1/2(x+1)+y=3", "x-y=0", {"①かっこ"}, "ヒント：③×2（分母をはらいます）"},
        {"1/2x+1/3y=2", "x-y=1", {"①×6", "③÷6"}, "ヒント：④×-3（yをそろえます）"},
        {"y=1/2x+1", "3x+2y=10", {}, "ヒント：①代入②（式を入れます）"},
        {"1/2x=3", "x+y=5", {}, "ヒント：①÷2分の1（xを求めます）"},
        {"y=1/3x+1", "x+2y=12", {"①代入②", "③かっこ"}, "ヒント：④×3（分母をはらいます）"},
        {"x=1/3", "2x+3y=5", {"①代入②"}, "ヒント：③－3分の2（数を消します）"},
        {"1/46337x+1/46349y=1", "1/46337x-1/46349y=1", {}, "ヒント：①＋②（yが消えます）"},
    };
    for (const HintRow& row : rows)
        EXPECT_EQ(hintAfter(row.first, row.second, row.steps), row.hint) << row.first;
}

// Random systems in every writing, with one solution, none or infinitely
// many: following only the hints ends the problem within the ten steps of a
// 640-pixel screen, and the executor takes every hint. Fractions and
// decimals are cleared first.
TEST(Hint, FollowingTheHintsSolvesRandomSystems) {
    std::mt19937 random(2026);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto nonZero = [&pick] {
        const int v = pick(1, 6);
        return pick(0, 1) ? v : -v;
    };
    const auto term = [](int coefficient, char letter, bool first) {
        std::string text = coefficient < 0 ? "-" : first ? "" : "+";
        return text + std::to_string(std::abs(coefficient)) + letter;
    };
    const auto side = [&term](int a, int b) { return term(a, 'x', true) + term(b, 'y', false); };
    int problems = 0;
    for (int i = 0; i < 600; ++i) {
        const int x = pick(-5, 5), y = pick(-5, 5);
        const int a = nonZero(), b = nonZero(), c = nonZero(), d = nonZero();
        const int kind = i % 6; // one solution, none, infinitely many, brackets, fractions, decimals
        const int dens[] = {2, 3, 4, 6};
        const int p = kind == 4 ? dens[pick(0, 3)] : 1, q = kind == 4 ? dens[pick(0, 3)] : 1;
        std::string first = side(a, b) + "=" + std::to_string(a * x + b * y);
        std::string second;
        if (kind == 1 || kind == 2) {
            const int k = pick(2, 3);
            second = side(k * a, k * b) + "=" + std::to_string(k * (a * x + b * y) + (kind == 1 ? 1 : 0));
        } else {
            if (a * q * d == b * p * c) continue; // not one solution after all
            second = side(c, d) + "=" + std::to_string(c * x + d * y);
        }
        const auto sign = [](int v, bool lead) { return std::string(v < 0 ? "-" : lead ? "" : "+"); };
        std::string clearing; // the first hint a teacher gives
        if (kind == 4) {      // a/p x + b/q y = (aqx + bpy)/pq
            const int n = a * x * q + b * y * p;
            const auto over = [&sign](int v, int d, const char* letter, bool lead) {
                return sign(v, lead) + std::to_string(std::abs(v)) + "/" + std::to_string(d) + letter;
            };
            first = over(a, p, "x", true) + over(b, q, "y", false) + "=" + over(n, p * q, "", true);
            const int lcm =
                std::lcm(std::lcm(p / std::gcd(a, p), q / std::gcd(b, q)), p * q / std::gcd(n, p * q));
            if (lcm > 1) clearing = "①×" + std::to_string(lcm);
        }
        if (kind == 5) { // the first equation divided by 10 or 100, in decimals
            const int scale = pick(0, 1) ? 10 : 100;
            const auto decimal = [&](int v, const char* letter, bool lead) {
                const std::string places = std::to_string(scale + std::abs(v) % scale).substr(1);
                return sign(v, lead) + std::to_string(std::abs(v) / scale) + "." + places + letter;
            };
            first = decimal(a, "x", true) + decimal(b, "y", false) + "=" + decimal(a * x + b * y, "", true);
            clearing = "①×" + std::to_string(scale);
        }
        if (kind == 3) { // a(x+m)+by = ax+by+am
            const int m = pick(1, 4);
            first = std::to_string(a) + "(x+" + std::to_string(m) + ")" + term(b, 'y', false) + "=" +
                    std::to_string(a * x + b * y + a * m);
        }
        Drill drill;
        ASSERT_TRUE(drill.load(first, second)) << first << ";" << second;
        const Solution solution = solveLoadedProblem(drill, 10);
        std::string road;
        for (const std::string& command : solution.commands)
            road += command + " ";
        ASSERT_FALSE(solution.refused) << first << ";" << second << ": " << road;
        ASSERT_TRUE(solution.solved) << first << ";" << second << ": " << road;
        if (!clearing.empty()) {
            EXPECT_EQ(solution.commands.front(), clearing) << first << ";" << second;
        }
        const Answers answer = kind == 1   ? Answers{.special = SpecialAnswer::NoSolution}
                               : kind == 2 ? Answers{.special = SpecialAnswer::InfinitelyMany}
                                           : Answers{UnknownValue{'x', x, 1}, UnknownValue{'y', y, 1}};
        EXPECT_EQ(solution.answers, answer) << first << ";" << second;
        ++problems;
    }
    EXPECT_GT(problems, 450);
}

} // namespace
} // namespace tavolini
