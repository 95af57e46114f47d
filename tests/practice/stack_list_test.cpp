// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/algebra.h"
#include "core/cp932.h"
#include "files/problem_set.h"
#include "practice/stack_list.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

TEST(StackList, ListsEveryTokenOfEverySlotUpToTheLimit) {
    Messages messages;
    Algebra algebra;
    ProblemSet set;
    set.ProblemTexts[1][1] = "2x-3y=5;x+y=1";
    ASSERT_EQ(loadProblem(set, algebra, 1, 1, messages).invalid, false);
    algebra.EquationTable[12].count = 99; // a damaged count lists no more than a record holds
    for (const int limit : {12, 24, 32, 40}) {
        const std::vector<std::string> lines = stackListLines(algebra, limit);
        const std::vector<std::string> start(lines.begin(), lines.begin() + 10);
        EXPECT_EQ(start, (std::vector<std::string>{"2x1", "-3y1", "0=1", "5/1", "----------" + cp932("①"),
                                                   "1x1", "1y1", "0=1", "1/1", "----------" + cp932("②")}));
        const auto separators = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
            return line.starts_with("----------");
        });
        EXPECT_EQ(separators, std::min(limit, 32)) << limit;
        EXPECT_EQ(lines.size(), 8u + std::min(limit, 32) + MaxTokens) << limit;
    }
    EXPECT_EQ(stackListLines(algebra, 12).back(), "----------" + cp932("⑫"));
    EXPECT_EQ(stackListLines(algebra, 32).back(), "----------(32)");
}

} // namespace
} // namespace tavolini
