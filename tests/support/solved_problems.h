// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

// A problem of a set worked to the end by following the hints, as the page
// would send it: the unit's title (UTF-8), the step log and the answers.
struct SolvedProblem {
    std::string unitTitle;
    int problem = 0;
    std::string steps;  // stepLogText
    std::string answer; // answerText
};

// Every problem of the set (its bytes) that the hints solve; none for bytes
// that are not a set.
std::vector<SolvedProblem> solveEveryProblem(std::string_view setBytes);

} // namespace tavolini
