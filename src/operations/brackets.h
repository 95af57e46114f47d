// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "operations/step_guard.h"

namespace tavolini {

// かっこ: every innermost bracket group multiplied out by the factor before
// it, one level per step; nothing is collected. Refused (without a message
// of its own) when the equation has no brackets.
StepResult removeBrackets(Algebra& algebra, const MShiki& equation, MShiki& result);

} // namespace tavolini
