// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace tavolini {

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), isDigit);
}

// The value of a run of decimal digits short enough to fit (callers bound
// the length first).
constexpr std::int32_t digitsValue(std::string_view digits) {
    std::int32_t value = 0;
    for (char d : digits)
        value = value * 10 + (d - '0');
    return value;
}

constexpr std::int32_t powerOfTen(std::size_t exponent) {
    std::int32_t value = 1;
    while (exponent-- > 0)
        value *= 10;
    return value;
}

} // namespace tavolini
