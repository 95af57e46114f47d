// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <optional>

namespace tavolini {

// Exact fractions in 128 bits: the reference the operations are checked
// against.
__extension__ typedef __int128 Wide;

// Both parts of an exact value stay below 2^62, so that every sum and
// product of two of them fits 128 bits.
inline constexpr Wide Bound = Wide{1} << 62;

inline Wide magnitude(Wide v) {
    return v < 0 ? -v : v;
}

inline Wide wideGcd(Wide a, Wide b) {
    a = magnitude(a);
    b = magnitude(b);
    while (b != 0) {
        const Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// An exact fraction in lowest terms with a positive denominator.
struct Exact {
    Wide num = 0;
    Wide den = 1;
    friend bool operator==(const Exact&, const Exact&) = default;
};

// Empty when a value outgrows the reference; a check on it is then skipped.
using MaybeExact = std::optional<Exact>;

inline MaybeExact normalised(Wide num, Wide den) {
    if (den == 0) return std::nullopt;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const Wide g = wideGcd(num, den);
    if (g > 1) {
        num /= g;
        den /= g;
    }
    if (num == 0) den = 1;
    if (magnitude(num) >= Bound || den >= Bound) return std::nullopt;
    return Exact{num, den};
}

inline MaybeExact operator+(MaybeExact a, MaybeExact b) {
    if (!a || !b) return std::nullopt;
    return normalised(a->num * b->den + b->num * a->den, a->den * b->den);
}
inline MaybeExact operator-(MaybeExact a, MaybeExact b) {
    if (!a || !b) return std::nullopt;
    return normalised(a->num * b->den - b->num * a->den, a->den * b->den);
}
inline MaybeExact operator*(MaybeExact a, MaybeExact b) {
    if (!a || !b) return std::nullopt;
    return normalised(a->num * b->num, a->den * b->den);
}
inline MaybeExact operator/(MaybeExact a, MaybeExact b) {
    if (!a || !b || b->num == 0) return std::nullopt;
    return normalised(a->num * b->den, a->den * b->num);
}

} // namespace tavolini
