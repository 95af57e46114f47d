// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "operations/step_guard.h"

namespace tavolini {

// 代入: every term of the first equation's letter in the second equation
// replaced by the first equation's right side (in brackets under the term's
// coefficient when that is not 1). Refused, without a message of its own,
// when the first equation is not of that form.
// Whether the equation reads "letter = expression" with one of the problem's
// unknowns alone on the left (coefficient exactly 1) and not on the right:
// what 代入 takes as its first equation.
bool isSubstitutable(const Algebra& algebra, const MShiki& equation);

StepResult substituteEquation(Algebra& algebra, const MShiki& first, const MShiki& second, MShiki& result,
                              Messages& messages);

// The first equation is "letter = one token": each term of the letter
// becomes its product with that token, and zero products are left out.
// Refused with a message when the second equation has no such term.
StepResult substituteSingleTerm(const MShiki& first, const MShiki& second, MShiki& result,
                                Messages& messages);

} // namespace tavolini
