// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/messages.h"

#include <cstdint>
#include <optional>

namespace tavolini {

// One token of an equation: a fraction and the kind of thing it stands for
// ('/' a number, '|' a number written with '|', a letter for a term of that
// unknown, '=', a bracket, '*'). The sign lives in the numerator; every token
// the program makes has a positive denominator.
struct ShikiToken {
    std::int32_t den = 1;
    std::int32_t num = 0;
    char kind = '/';

    friend bool operator==(const ShikiToken&, const ShikiToken&) = default;
};

inline constexpr ShikiToken TokenZero{1, 0, '/'};
inline constexpr ShikiToken TokenOne{1, 1, '/'};

// The result of an arithmetic step: empty when the reduced result does not
// fit 32 bits. Callers refuse the step then, so no value ever wraps around.
using CheckedToken = std::optional<ShikiToken>;

constexpr ShikiToken makeToken(std::int32_t num, std::int32_t den, char kind) {
    return {den, num, kind};
}

// Greatest common divisor of the absolute values; 0 when either is 0.
std::int64_t gcd(std::int32_t a, std::int32_t b);

// a x b / gcd(a, b), exact in 64 bits. When the gcd is 0 (a zero
// denominator) a message is appended to `messages`, and the result is 0.
std::int64_t lcm(Messages& messages, std::int32_t a, std::int32_t b);

// Lowest terms when the gcd of numerator and denominator is above 1. A zero
// number or term becomes 0/1; the zero tokens of '=' and the brackets are
// left as they are. The kind is kept.
ShikiToken reduceToken(ShikiToken t);

// a + b and a - b, reduced (a zero number or term as 0/1), with the kind of a.
CheckedToken addTokens(Messages& messages, ShikiToken a, ShikiToken b);
CheckedToken subTokens(Messages& messages, ShikiToken a, ShikiToken b);

// a x b and a / b, reduced, with the kind of a ('|' becomes '/').
// Dividing by zero appends the abort/retry/ignore box to `messages` (its
// answer changes nothing) and yields 0/1.
CheckedToken mulTokens(ShikiToken a, ShikiToken b);
CheckedToken divTokens(Messages& messages, ShikiToken a, ShikiToken b);

} // namespace tavolini
