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
    std::string answer1, answer2; // as judged
    int steps = 0;                // accepted commands
    std::vector<std::string> commands;
};

// Works a loaded problem the way a pupil who knows the method would, through
// the executor and the judge only: remove brackets, bring both equations to
// ax+by=c, eliminate the first unknown, divide, substitute back. Stops when
// the problem is solved, at a special verdict, or after `maxSteps`.
Solution solveLoadedProblem(Drill& drill, int maxSteps);

} // namespace tavolini
