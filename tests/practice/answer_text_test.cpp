// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/answer_text.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

TEST(AnswerText, TheLineThePageSendsAndTheServerCompares) {
    const UnknownValue x3{'x', 3, 1};
    const UnknownValue yHalf{'y', -1, 2};
    const struct {
        Answers answers;
        const char* text;
    } rows[] = {
        {{x3, yHalf}, "x=3 y=-1/2"},
        {{.special = SpecialAnswer::InfinitelyMany}, "many"},
        {{.special = SpecialAnswer::NoSolution}, "none"},
        {{x3, std::nullopt}, ""},
        {{std::nullopt, yHalf}, ""},
        {{}, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(answerText(row.answers), row.text) << row.text;
}

} // namespace
} // namespace tavolini
