// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/text_file.h"
#include "server/replay.h"

#include <gtest/gtest.h>

namespace tavolini::server {
namespace {

const std::vector<std::string> SetLines = {
    "<<加減法", "2x+y=7;x-y=2",   "2x+y=1;x-y=1", "x+y=1;x+y=3", "x+y=1;2x+2y=2", "x=1;y=-2", ">>",
    "<<代入法", "y=2x+1;3x+y=11", "x+y=1",        ">>",
};

std::string setBytes(const std::vector<std::string>& utf8Lines) {
    std::vector<std::string> lines;
    for (const std::string& line : utf8Lines)
        lines.push_back(cp932(line));
    return joinLines(lines);
}

std::string repeated(const std::string& step, int times) {
    std::string log = step;
    for (int i = 1; i < times; ++i)
        log += " " + step;
    return log;
}

TEST(Replay, KeepsOnlyWhatTheDrillWouldHaveSolvedAsClaimed) {
    const std::string good = setBytes(SetLines);
    const std::string road = "1+@2 3/#3 4^@2 5I 6S 7*#-1";
    const struct {
        std::string set;
        const char* unit;
        int problem;
        std::string steps;
        const char* answer;
        ReplayFault fault;
        int step;
    } rows[] = {
        {good, "加減法", 1, road, "x=3 y=1", ReplayFault::None, 0},
        {good, "加減法", 2, "1+@2 3/#3 4^@2 5-#3b2 6/#-1", "x=2/3 y=-1/3", ReplayFault::None, 0},
        {good, "加減法", 3, "1-@2!N", "none", ReplayFault::None, 0},
        {good, "加減法", 4, "1*#2 3-@2!M", "many", ReplayFault::None, 0},
        {good, "加減法", 5, "", "x=1 y=-2", ReplayFault::None, 0}, // solved as it loads
        {good, "代入法", 1, "1^@2 3-#1 4/#5 5^@1 6S", "x=2 y=5", ReplayFault::None, 0},
        {"\xff\xfe", "加減法", 1, road, "x=3 y=1", ReplayFault::SetUnreadable, 0},
        {joinLines(SetLines), "加減法", 1, road, "x=3 y=1", ReplayFault::SetUnreadable, 0}, // UTF-8
        {setBytes({"<<加減法", "2x+y=7;x-y=2"}), "加減法", 1, road, "x=3 y=1", ReplayFault::SetUnreadable, 0},
        {good, "減法", 1, road, "x=3 y=1", ReplayFault::NoSuchUnit, 0},
        {good, "加減法\xf0\x9f\x98\x80", 1, road, "x=3 y=1", ReplayFault::NoSuchUnit, 0},
        {good, "加減法", 0, road, "x=3 y=1", ReplayFault::NoSuchProblem, 0},
        {good, "加減法", 6, road, "x=3 y=1", ReplayFault::NoSuchProblem, 0},
        {good, "代入法", 3, "", "", ReplayFault::NoSuchProblem, 0},
        {good, "代入法", 2, "", "", ReplayFault::ProblemUnusable, 0},
        {good, "加減法", 1, road + " ", "x=3 y=1", ReplayFault::StepsUnreadable, 0},
        {good, "加減法", 1, "1+@2 3/#3 4/#0", "x=3 y=1", ReplayFault::StepRefused, 3},
        {good, "加減法", 1, road + " 1S", "x=3 y=1", ReplayFault::StepRefused, 7},   // after the solve
        {good, "加減法", 3, "1-@2!M", "many", ReplayFault::StepRefused, 1},          // named wrongly
        {good, "加減法", 1, repeated("1*#2", 31), "", ReplayFault::StepRefused, 31}, // past the budget
        {good, "加減法", 1, "1+@2 3/#3", "x=3", ReplayFault::NotSolved, 0},
        {good, "加減法", 4, "1*#2 3-@2", "many", ReplayFault::NotSolved, 0}, // not named
        {good, "加減法", 1, road, "x=3 y=2", ReplayFault::OtherAnswer, 0},
        {good, "加減法", 1, road, "y=1 x=3", ReplayFault::OtherAnswer, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.unit) + " " + std::to_string(row.problem) + " " + row.steps);
        const ReplayResult result = replayCompletion(row.set, row.unit, row.problem, row.steps, row.answer);
        EXPECT_EQ(result.fault, row.fault);
        EXPECT_EQ(result.step, row.step);
        EXPECT_EQ(replayFaultMessage(result).empty(), result.ok());
    }
    EXPECT_EQ(replayFaultMessage({ReplayFault::StepRefused, 3}), "3番目の操作が受け付けられません");
}

} // namespace
} // namespace tavolini::server
