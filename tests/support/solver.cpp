// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/solver.h"

#include "core/cp932.h"
#include "practice/hint.h"

namespace tavolini {
namespace {

// The judge as the practice flow applies it, with the right special case
// named when one comes up.
void judge(Drill& drill, int n) {
    const Verdict verdict = judgeEquation(drill.algebra, drill.answers, n);
    if (verdict == Verdict::Identity) drill.answers = {.special = SpecialAnswer::InfinitelyMany};
    if (verdict == Verdict::Contradiction) drill.answers = {.special = SpecialAnswer::NoSolution};
}

} // namespace

Solution solveLoadedProblem(Drill& drill, int maxSteps) {
    Solution solution;
    for (int n = 1; n <= 2 && !isSolved(drill.answers); ++n)
        judge(drill, n);
    while (!isSolved(drill.answers) && solution.steps < maxSteps) {
        const std::optional<HintCommand> hint = nextCommand(drill.algebra, drill.answers);
        if (!hint) break;
        solution.commands.push_back(utf8FromCp932(commandText(*hint)));
        if (drill.run(solution.commands.back()) == "refused") {
            solution.refused = true;
            break;
        }
        ++solution.steps;
        judge(drill, drill.algebra.equationCount);
    }
    solution.solved = isSolved(drill.answers);
    solution.answers = drill.answers;
    return solution;
}

} // namespace tavolini
