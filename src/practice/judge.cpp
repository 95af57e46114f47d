// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/judge.h"

#include "core/cp932.h"

namespace tavolini {
namespace {

// "x=3", "y=-1/2": any non-empty text serves; this one is readable.
std::string valueText(char letter, ShikiToken value) {
    std::string text = std::string(1, letter) + "=" + std::to_string(value.num);
    if (value.den != 1) text += "/" + std::to_string(value.den);
    return text;
}

Verdict recordAnswer(Algebra& algebra, std::string& answer, int slot, const MShiki& equation, Verdict found,
                     Verdict again) {
    if (!answer.empty()) return again;
    answer = valueText(tokenAt(equation, 0).kind, tokenAt(equation, 2));
    algebra.EquationTable[static_cast<std::size_t>(slot)] = equation;
    return found;
}

} // namespace

std::string noSolutionWord() {
    return cp932("解なし");
}
std::string infinitelyManyWord() {
    return cp932("解は無数にある");
}

Verdict judgeEquation(Algebra& algebra, Answers& answers, int n) {
    if (n < 0 || n > algebra.equationCount || n >= EquationSlots) return Verdict::Ordinary;
    const MShiki equation = algebra.EquationTable[static_cast<std::size_t>(n)];
    if (equation.count != 3) return Verdict::Ordinary;
    const ShikiToken left = tokenAt(equation, 0);
    const ShikiToken middle = tokenAt(equation, 1);
    const ShikiToken right = tokenAt(equation, 2);
    if (middle.kind != '=' || right.kind != '/') return Verdict::Ordinary;

    if (left.num == right.num && left.den == right.den && left.kind == '/') return Verdict::Identity;
    if (left.num == 1 && left.den == 1) {
        if (left.kind == algebra.unknown1)
            return recordAnswer(algebra, answers.answer1, SolutionSlotX, equation, Verdict::FirstFound,
                                Verdict::FirstAgain);
        if (left.kind == algebra.unknown2)
            return recordAnswer(algebra, answers.answer2, SolutionSlotY, equation, Verdict::SecondFound,
                                Verdict::SecondAgain);
        return Verdict::Ordinary;
    }
    if (left.num == 0) return right.num == 0 ? Verdict::Identity : Verdict::Contradiction;
    return Verdict::Ordinary;
}

bool isSolved(const Answers& answers) {
    return (!answers.answer1.empty() && !answers.answer2.empty()) || answers.answer1 == noSolutionWord() ||
           answers.answer1 == infinitelyManyWord();
}

std::string solvedMessage(const Answers& answers) {
    if (answers.answer1 == noSolutionWord()) return cp932("●解はありません●");
    if (answers.answer1 == infinitelyManyWord()) return cp932("●解は無数にあります●");
    return cp932("解が出ました");
}

} // namespace tavolini
