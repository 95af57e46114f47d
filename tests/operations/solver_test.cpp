// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/text_file.h"
#include "files/problem_set.h"
#include "practice/problem_set_menu.h"
#include "support/solver.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

// Whole problems worked by following the hints: each must end with the right
// answer within the budget of a 640-pixel screen (10 operations).
TEST(Solver, WorksWholeProblemsThroughTheExecutor) {
    struct Row {
        const char* first;
        const char* second;
        Answers answers;
    };
    const auto found = [](char a, int av, char b, int bv) {
        return Answers{UnknownValue{a, av, 1}, UnknownValue{b, bv, 1}};
    };
    const Row rows[] = {
        {"2x+y=7", "x-y=2", found('x', 3, 'y', 1)},
        {"3x+2y=12", "2x-3y=-5", found('x', 2, 'y', 3)},
        {"y=2x+1", "3x+y=11", found('x', 2, 'y', 5)},
        {"x=3", "2x+3y=12", found('x', 3, 'y', 2)},
        {"1/2x+1/3y=2", "x-y=-1", found('x', 2, 'y', 3)},
        {"0.5x+0.2y=1.6", "x+y=5", found('x', 2, 'y', 3)},
        {"2(x+1)-y=5", "3x-(y-2)=8", found('x', 3, 'y', 3)},
        {"2{3(x+1)-y}=10", "x+y=2", found('x', 1, 'y', 1)},
        {"1|2(x+4)=y", "x+y=5", found('x', 2, 'y', 3)},
        {"3a-b=5", "a+2b=4", found('a', 2, 'b', 1)},
        {"x+y=2", "2x+2y=4", {.special = SpecialAnswer::InfinitelyMany}},
        {"x+y=2", "x+y=3", {.special = SpecialAnswer::NoSolution}},
        {"-x+4y=-2", "3x-2y=16", found('x', 6, 'y', 1)},
    };
    for (const Row& row : rows) {
        Drill drill;
        ASSERT_TRUE(drill.load(row.first, row.second)) << row.first;
        const Solution solution = solveLoadedProblem(drill, 10);
        std::string road;
        for (const std::string& command : solution.commands)
            road += command + " ";
        EXPECT_TRUE(solution.solved) << row.first << ";" << row.second << ": " << road;
        EXPECT_EQ(solution.answers, row.answers) << row.first << ";" << row.second << ": " << road;
    }
}

// Every problem shipped with the program can be worked to its end by its
// hints within the budget of a 640-pixel screen (10 operations).
TEST(Solver, WorksEveryShippedProblem) {
    ScriptedDialogs dialogs;
    Algebra algebra;
    ProblemSet set;
    set.lines = splitLines(readWholeFile(std::string(TAVOLINI_DATA_DIR) + "/ZUdir.sim").bytes);
    ASSERT_TRUE(readProblemSetShowing(set, dialogs));
    int problems = 0;
    for (int unit = 1; unit <= set.unitCount; ++unit) {
        for (int problem = 1; problem <= set.problemCounts[static_cast<std::size_t>(unit)]; ++problem) {
            Drill drill;
            const std::string line = utf8FromCp932(
                set.ProblemTexts[static_cast<std::size_t>(unit)][static_cast<std::size_t>(problem)]);
            ASSERT_TRUE(drill.loadProblemOf(set, unit, problem)) << line;
            const Solution solution = solveLoadedProblem(drill, 10);
            std::string road;
            for (const std::string& command : solution.commands)
                road += command + " ";
            EXPECT_TRUE(solution.solved) << line << ": " << road;
            ++problems;
        }
    }
    EXPECT_GE(problems, 30);
}

} // namespace
} // namespace tavolini
