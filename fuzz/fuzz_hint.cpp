// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Two equation texts from the fuzzer's bytes ("first\nsecond"), then the
// hints followed one after the other. Aborts when the executor refuses a
// hint, when one finds an unknown a second time, or when the table would
// overflow; a problem ends when it is solved or no hint comes.
#include "core/algebra.h"
#include "files/problem_set.h"
#include "operations/executor.h"
#include "practice/hint.h"
#include "practice/judge.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace tavolini;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t end = input.find('\n');
    if (end == std::string_view::npos) return 0;
    Messages messages; // nobody to show them to
    Algebra algebra;
    ProblemSet set;
    set.ProblemTexts[1][1] = std::string(input.substr(0, end)) + ";" + std::string(input.substr(end + 1));
    if (loadProblem(set, algebra, 1, 1, messages).invalid) return 0;
    Answers answers;
    // The problem's own equations may both give the same unknown; a hint's may not.
    const auto judge = [&](int n, bool byHint) {
        const Verdict verdict = judgeEquation(algebra, answers, n);
        if (byHint && (verdict == Verdict::FirstAgain || verdict == Verdict::SecondAgain)) std::abort();
        if (verdict == Verdict::Identity) answers = {.special = SpecialAnswer::InfinitelyMany};
        if (verdict == Verdict::Contradiction) answers = {.special = SpecialAnswer::NoSolution};
    };
    judge(1, false);
    judge(2, false);
    while (!isSolved(answers) && algebra.equationCount < 32) {
        const std::optional<HintCommand> hint = nextCommand(algebra, answers);
        if (!hint) break;
        CommandState command;
        command.operation = hint->operation;
        command.firstEquation = hint->firstEquation;
        command.secondEquation = hint->secondEquation;
        command.pnlNumber = hint->operand;
        command.composeStep =
            hint->secondEquation != 0 ? ComposeStep::SecondEquation : ComposeStep::OperationChosen;
        command.lastEntry = hint->secondEquation != 0 ? EquationEntered
                            : hint->operand.empty()   ? OperationEntered
                                                      : NumberEntered;
        const std::optional<int> written = executeOperation(algebra, command, messages);
        if (!written) std::abort();
        judge(*written, true);
    }
    return 0;
}
