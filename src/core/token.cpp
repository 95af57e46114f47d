// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/token.h"

#include "core/cp932.h"
#include "core/messages.h"
#include "core/token_kinds.h"

#include <limits>
#include <string>

namespace tavolini {
namespace {

std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

std::uint64_t gcdOfMagnitudes(std::uint64_t x, std::uint64_t y) {
    if (x == 0 || y == 0) return 0;
    while (x != 0) {
        const std::uint64_t r = y % x;
        y = x;
        x = r;
    }
    return y;
}

// A zero number or term is written 0, whatever denominator it was computed
// with; the zero tokens of '=' and the brackets hold no value.
bool zeroIsOne(char kind) {
    return isNumberKind(kind) || isLetter(kind);
}

bool fits32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

// Reduces an exact 64-bit fraction and narrows it to a token. A zero whose
// denominator is too wide is still exactly zero, so it becomes 0/1 rather
// than an overflow.
CheckedToken narrow(std::int64_t num, std::int64_t den, char kind) {
    const std::uint64_t g = gcdOfMagnitudes(magnitude(num), magnitude(den));
    if (g > 1) {
        num /= static_cast<std::int64_t>(g);
        den /= static_cast<std::int64_t>(g);
    }
    if (num == 0 && (zeroIsOne(kind) || !fits32(den))) return makeToken(0, 1, kind);
    if (!fits32(num) || !fits32(den)) return std::nullopt;
    return makeToken(static_cast<std::int32_t>(num), static_cast<std::int32_t>(den), kind);
}

// a + b with b given as a 64-bit numerator, so that negating INT32_MIN for a
// subtraction cannot overflow.
CheckedToken addExact(Messages& messages, ShikiToken a, std::int64_t bNum, std::int32_t bDen) {
    const std::int64_t l = lcm(messages, a.den, bDen);
    if (l == 0) return makeToken(0, 1, a.kind);
    std::int64_t left = 0;
    std::int64_t right = 0;
    std::int64_t sum = 0;
    if (__builtin_mul_overflow(std::int64_t{a.num}, l / a.den, &left) ||
        __builtin_mul_overflow(bNum, l / bDen, &right) || __builtin_add_overflow(left, right, &sum))
        return std::nullopt;
    return narrow(sum, l, a.kind);
}

// The product of two fractions whose parts are at most 2^32 in magnitude, so
// the 64-bit products cannot overflow.
CheckedToken multiplyExact(std::int64_t aNum, std::int64_t aDen, std::int64_t bNum, std::int64_t bDen,
                           char kind) {
    return narrow(aNum * bNum, aDen * bDen, kind == '|' ? '/' : kind);
}

} // namespace

std::int64_t gcd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int64_t>(gcdOfMagnitudes(magnitude(a), magnitude(b)));
}

std::int64_t lcm(Messages& messages, std::int32_t a, std::int32_t b) {
    const std::int64_t g = gcd(a, b);
    if (g == 0) {
        tell(messages, "x=" + std::to_string(a) + ",y=" + std::to_string(b) + cp932("GCDが０です"));
        return 0;
    }
    return std::int64_t{a} * b / g;
}

ShikiToken reduceToken(ShikiToken t) {
    if (t.num == 0 && zeroIsOne(t.kind)) return makeToken(0, 1, t.kind);
    const std::int64_t g = gcd(t.num, t.den);
    if (g > 1) {
        t.num = static_cast<std::int32_t>(t.num / g);
        t.den = static_cast<std::int32_t>(t.den / g);
    }
    return t;
}

CheckedToken addTokens(Messages& messages, ShikiToken a, ShikiToken b) {
    return addExact(messages, a, b.num, b.den);
}

CheckedToken subTokens(Messages& messages, ShikiToken a, ShikiToken b) {
    return addExact(messages, a, -std::int64_t{b.num}, b.den);
}

CheckedToken mulTokens(ShikiToken a, ShikiToken b) {
    const ShikiToken x = reduceToken(a);
    const ShikiToken y = reduceToken(b);
    return multiplyExact(x.num, x.den, y.num, y.den, a.kind);
}

CheckedToken divTokens(Messages& messages, ShikiToken a, ShikiToken b) {
    if (b.num == 0) {
        messages.push_back({MessageBox::AbortRetryIgnore, cp932("0 で割ることはできません")});
        return makeToken(0, 1, a.kind);
    }
    // The reciprocal of b with its sign moved into the numerator, reduced as
    // the factors of a product are. |INT32_MIN| needs the 64 bits.
    const std::int64_t recipNum = b.num > 0 ? b.den : -std::int64_t{b.den};
    const std::int64_t recipDen = magnitude(b.num);
    const std::int64_t g = static_cast<std::int64_t>(gcdOfMagnitudes(magnitude(recipNum), recipDen));
    const std::int64_t divisor = g > 1 ? g : 1;
    const ShikiToken x = reduceToken(a);
    return multiplyExact(x.num, x.den, recipNum / divisor, recipDen / divisor, a.kind);
}

} // namespace tavolini
