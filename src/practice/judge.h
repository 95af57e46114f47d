// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"

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

// The answers of the problem being worked on (code page 932 text): empty
// while not found, a text naming the value once found; answer1 may instead
// hold one of the two verdict words.
struct Answers {
    std::string answer1;
    std::string answer2;
};

std::string noSolutionWord();     // "解なし"
std::string infinitelyManyWord(); // "解は無数にある"

// Judges equation n of the table. A newly found unknown is recorded in the
// answers and its equation copied to its answer slot.
Verdict judgeEquation(Algebra& algebra, Answers& answers, int n);

// Both unknowns found, or the problem has no solution or infinitely many.
bool isSolved(const Answers& answers);

// The page message of a solved problem: "解が出ました", or for the special
// answers "●解はありません●" and "●解は無数にあります●".
std::string solvedMessage(const Answers& answers);

} // namespace tavolini
