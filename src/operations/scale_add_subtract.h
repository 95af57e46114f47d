// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "operations/step_guard.h"

namespace tavolini {

// × and ÷: every token outside the bracket groups multiplied ('*') or
// divided ('/') by the operand. A group is scaled through the factor before
// it; nothing is collected: 2(x+3)=10 times 3 gives 6(x+3)=30.
StepResult scaleEquation(const MShiki& equation, char sign, ShikiToken operand, MShiki& result,
                         Messages& messages);

// ＋ and － of two equations: left sides and right sides added (or the
// second subtracted), like terms collected on each side.
StepResult addEquations(Algebra& algebra, const MShiki& first, const MShiki& second, MShiki& result,
                        Messages& messages);
StepResult subtractEquations(Algebra& algebra, const MShiki& first, const MShiki& second, MShiki& result,
                             Messages& messages);

// ＋ and － of a number: the operand added to ('+') or subtracted from ('-')
// both sides. With brackets it is only written on both sides; otherwise each
// side is collected with it.
StepResult addToBothSides(Algebra& algebra, const MShiki& equation, char sign, ShikiToken operand,
                          MShiki& result, Messages& messages);

} // namespace tavolini
