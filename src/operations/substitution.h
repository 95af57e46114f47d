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
StepResult substituteEquation(Algebra& algebra, const MShiki& first, const MShiki& second, MShiki& result,
                              Messages& messages);

// The first equation is "letter = one token": each term of the letter
// becomes its product with that token, and zero products are left out.
// Refused with a message when the second equation has no such term.
StepResult substituteSingleTerm(const MShiki& first, const MShiki& second, MShiki& result,
                                Messages& messages);

} // namespace tavolini
