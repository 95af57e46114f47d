// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tavolini {

// What an equation says about the problem. The numbers are part of the
// program's interface.
enum class Verdict : int {
    Ordinary = 0,
    FirstFound = 1,     // unknown1 has just been found
    SecondFound = 2,    // unknown2 has just been found
    FirstAgain = 3,     // unknown1 was already found
    SecondAgain = 4,    // unknown2 was already found
    Identity = 99,      // infinitely many solutions
    Contradiction = -1, // no solution
};

// An unknown's letter and its exact value, in lowest terms.
struct UnknownValue {
    char letter = '?';
    std::int32_t num = 0;
    std::int32_t den = 1;

    friend bool operator==(const UnknownValue&, const UnknownValue&) = default;
};

// The special cases of a system, as the pupil names them in 特殊な解; None
// for no special case named (the dialog closed without a choice).
enum class SpecialAnswer { None, NoSolution, InfinitelyMany };

// The answers of the problem being worked on: each unknown's value once
// found, or the special case the pupil has rightly named (the values are
// empty then).
struct Answers {
    std::optional<UnknownValue> answer1{};
    std::optional<UnknownValue> answer2{};
    SpecialAnswer special = SpecialAnswer::None;

    friend bool operator==(const Answers&, const Answers&) = default;
};

// "letter = number", the one form that states an unknown: three tokens, the
// right side a number written with '/', the left a bare letter.
std::optional<UnknownValue> statedValue(const MShiki& equation);

// Judges equation n of the table. A newly found unknown is recorded in the
// answers and its equation copied to its answer slot.
Verdict judgeEquation(Algebra& algebra, Answers& answers, int n);

// The problem's own equations ① and ② judged as it starts: either may
// state an unknown at once. True when one of them said more than Ordinary.
bool judgeProblemEquations(Algebra& algebra, Answers& answers);

// Both unknowns found, or the problem has no solution or infinitely many.
bool isSolved(const Answers& answers);

// The page message of a solved problem: "解が出ました", or for the special
// answers "●解はありません●" and "●解は無数にあります●".
std::string solvedMessage(const Answers& answers);

} // namespace tavolini
