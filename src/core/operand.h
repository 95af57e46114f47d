// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/token.h"

#include <string_view>

namespace tavolini {

// 0/0: what an operand that cannot be read turns into. Its zero denominator
// marks it; the executor refuses it before any arithmetic.
inline constexpr ShikiToken InvalidOperand{0, 0, '/'};

// The number the pupil typed for x, /, + or -: an integer of at most four
// digits ("-12"), a decimal of at most six digits ("0.25"), or a fraction
// written denominator first ("3分の2" is two thirds). Code page 932 text.
// A text that cannot be read is reported in one message and yields
// InvalidOperand.
ShikiToken parseOperand(Messages& messages, std::string_view text);

} // namespace tavolini
