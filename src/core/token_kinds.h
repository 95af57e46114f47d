// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

namespace tavolini {

inline constexpr char OpenCorner = '\xA2';  // half-width '｢'
inline constexpr char CloseCorner = '\xA3'; // half-width '｣'

// A term of an unknown has the letter as its kind.
constexpr bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Both kinds of number: written with '/' and written with '|'.
constexpr bool isNumberKind(char kind) {
    return kind == '/' || kind == '|';
}

// The brackets that group terms under the factor written before them. The
// corner brackets only mark text and group nothing.
constexpr bool isGroupOpening(char kind) {
    return kind == '(' || kind == '[' || kind == '{';
}
constexpr bool isGroupClosing(char kind) {
    return kind == ')' || kind == ']' || kind == '}';
}

} // namespace tavolini
