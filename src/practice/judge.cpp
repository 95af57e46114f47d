// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/judge.h"

#include "core/cp932.h"
#include "core/token_kinds.h"

namespace tavolini {
namespace {

Verdict recordAnswer(Algebra& algebra, std::optional<UnknownValue>& answer, UnknownValue value, int slot,
                     const MShiki& equation, Verdict found, Verdict again) {
    if (answer) return again;
    answer = value;
    algebra.EquationTable[static_cast<std::size_t>(slot)] = equation;
    return found;
}

} // namespace

std::optional<UnknownValue> statedValue(const MShiki& equation) {
    if (equation.count != 3) return std::nullopt;
    const ShikiToken left = tokenAt(equation, 0);
    const ShikiToken right = tokenAt(equation, 2);
    if (tokenAt(equation, 1).kind != '=' || right.kind != '/') return std::nullopt;
    if (!isLetter(left.kind) || left.num != 1 || left.den != 1) return std::nullopt;
    return UnknownValue{left.kind, right.num, right.den};
}

Verdict judgeEquation(Algebra& algebra, Answers& answers, int n) {
    if (n < 0 || n > algebra.equationCount || n >= EquationSlots) return Verdict::Ordinary;
    const MShiki equation = algebra.EquationTable[static_cast<std::size_t>(n)];
    if (equation.count != 3) return Verdict::Ordinary;
    const ShikiToken left = tokenAt(equation, 0);
    const ShikiToken right = tokenAt(equation, 2);
    if (tokenAt(equation, 1).kind != '=' || right.kind != '/') return Verdict::Ordinary;

    if (left.num == right.num && left.den == right.den && left.kind == '/') return Verdict::Identity;
    if (const std::optional<UnknownValue> value = statedValue(equation)) {
        if (value->letter == algebra.unknown1)
            return recordAnswer(algebra, answers.answer1, *value, SolutionSlotX, equation,
                                Verdict::FirstFound, Verdict::FirstAgain);
        if (value->letter == algebra.unknown2)
            return recordAnswer(algebra, answers.answer2, *value, SolutionSlotY, equation,
                                Verdict::SecondFound, Verdict::SecondAgain);
        return Verdict::Ordinary;
    }
    if (left.num == 0) return right.num == 0 ? Verdict::Identity : Verdict::Contradiction;
    return Verdict::Ordinary;
}

bool judgeProblemEquations(Algebra& algebra, Answers& answers) {
    bool said = false;
    for (int n = 1; n <= 2; ++n)
        said = judgeEquation(algebra, answers, n) != Verdict::Ordinary || said;
    return said;
}

bool isSolved(const Answers& answers) {
    return (answers.answer1 && answers.answer2) || answers.special != SpecialAnswer::None;
}

std::string solvedMessage(const Answers& answers) {
    switch (answers.special) {
    case SpecialAnswer::NoSolution:
        return cp932("●解はありません●");
    case SpecialAnswer::InfinitelyMany:
        return cp932("●解は無数にあります●");
    case SpecialAnswer::None:
        break;
    }
    return cp932("解が出ました");
}

} // namespace tavolini
