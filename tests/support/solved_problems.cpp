// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/solved_problems.h"

#include "core/cp932.h"
#include "core/text_file.h"
#include "files/problem_set.h"
#include "practice/answer_text.h"
#include "practice/hint.h"
#include "practice/step_log.h"
#include "presentation/page_layout.h"

namespace tavolini {
namespace {

// The hints' road through one loaded problem, each step done as the server
// will do it again; a special case is named as the pupil would name it.
std::optional<SolvedProblem> solve(Algebra& algebra) {
    Answers answers;
    judgeProblemEquations(algebra, answers);
    StepLog log;
    while (!isSolved(answers) && log.size() < LargestStepLog) {
        const std::optional<HintCommand> hint = nextCommand(algebra, answers);
        if (!hint) return std::nullopt;
        LoggedStep step{hint->operation, hint->firstEquation, hint->secondEquation, hint->operand};
        const std::optional<Verdict> verdict = replayStep(algebra, answers, step, WidestEquationLimit);
        if (!verdict) return std::nullopt;
        if (verdict == Verdict::Identity || verdict == Verdict::Contradiction) {
            step.named =
                *verdict == Verdict::Identity ? SpecialAnswer::InfinitelyMany : SpecialAnswer::NoSolution;
            answers = Answers{.special = step.named};
        }
        log.push_back(step);
    }
    if (!isSolved(answers)) return std::nullopt;
    return SolvedProblem{{}, 0, stepLogText(log), answerText(answers)};
}

} // namespace

std::vector<SolvedProblem> solveEveryProblem(std::string_view setBytes) {
    ProblemSet set;
    set.lines = splitLines(setBytes);
    std::vector<SolvedProblem> solved;
    if (readProblemSet(set).fault != SetFault::None) return solved;
    for (int unit = 1; unit <= set.unitCount && unit < UnitRows; ++unit) {
        for (int problem = 1; problem <= set.problemCounts[static_cast<std::size_t>(unit)]; ++problem) {
            Algebra algebra;
            Messages messages;
            if (loadProblem(set, algebra, unit, problem, messages).invalid) continue;
            if (std::optional<SolvedProblem> done = solve(algebra)) {
                done->unitTitle = utf8FromCp932(set.UnitNames[static_cast<std::size_t>(unit)]);
                done->problem = problem;
                solved.push_back(std::move(*done));
            }
        }
    }
    return solved;
}

} // namespace tavolini
