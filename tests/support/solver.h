// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "support/drill.h"

#include <string>
#include <vector>

namespace tavolini {

// How a problem ended when worked by the solver below.
struct Solution {
    bool solved = false;
    bool refused = false; // the executor refused a hint
    Answers answers;      // as judged
    int steps = 0;        // accepted commands
    std::vector<std::string> commands;
};

// Works a loaded problem by following the drill's hints, through the
// executor and the judge, naming the right special case when one comes up.
// Stops when the problem is solved, when no hint comes, or after `maxSteps`.
Solution solveLoadedProblem(Drill& drill, int maxSteps);

} // namespace tavolini
