// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "operations/step_guard.h"

#include <initializer_list>

namespace tavolini {

inline constexpr ShikiToken EqualsSign{1, 0, '='};

// The running sums of one side of an equation: the terms of each unknown
// and the numbers.
struct SideSums {
    ShikiToken first;    // kind unknown1
    ShikiToken second;   // kind unknown2
    ShikiToken constant; // kind '/'
};

// Zero sums of the problem's two letters and of numbers.
SideSums emptySums(const Algebra& algebra);

// Adds a token to the sum of its kind. Numbers written with '|' are
// numbers like any other; tokens of other kinds belong to no sum.
void addToSums(Algebra& algebra, StepGuard& guard, SideSums& sums, ShikiToken token, Messages& messages);

// Whether the equation still has a bracket of a group, of any shape: a
// group may close with another shape than it opened with ("3[x+1)").
bool hasBrackets(const MShiki& equation);

// Tells the pupil to remove the brackets first when the equation still has
// them, and answers whether it did.
bool refuseBrackets(const MShiki& equation, Messages& messages);

// Appends one side in normal form: the first unknown's term, the second's,
// then the number; zero terms are left out, but a side never stays empty.
void collectSide(StepGuard& guard, MShiki& result, const SideSums& sums);

// Like terms of the equations, taken in order, collected side by side and
// written in normal form. Tokens of other kinds are left out.
StepResult collectEquations(Algebra& algebra, std::initializer_list<const MShiki*> equations, MShiki& result,
                            Messages& messages);

// 整理: like terms collected on each side; nothing crosses the '='.
StepResult simplifyEquation(Algebra& algebra, const MShiki& equation, MShiki& result, Messages& messages);

// 移項: every term of an unknown to the left, every number to the right,
// each changing sign as it crosses; like terms are not combined.
StepResult transposeEquation(Algebra& algebra, const MShiki& equation, MShiki& result, Messages& messages);

} // namespace tavolini
