// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/token.h"

#include <array>
#include <string>

namespace tavolini {

inline constexpr int MaxTokens = 40;

// One equation: its tokens in written order (left side, '=', right side),
// the family it descends from and the sentence of the step that made it.
// A value type: whole records are copied in and out of the table.
struct MShiki {
    std::array<ShikiToken, MaxTokens> tokens{};
    int count = 0;
    int origin = 0;
    std::string stepText;
};

// The token at `i`, which must be below the record's count.
inline const ShikiToken& tokenAt(const MShiki& equation, int i) {
    return equation.tokens.at(static_cast<std::size_t>(i));
}
inline ShikiToken& tokenAt(MShiki& equation, int i) {
    return equation.tokens.at(static_cast<std::size_t>(i));
}

// Appends a token; false (and nothing written) when the record is full.
bool pushToken(MShiki& equation, ShikiToken token);

// Removes and returns the last token; TokenZero when there is none.
ShikiToken popToken(MShiki& equation);

// Empties the token list; origin and step sentence stay.
void clearEquation(MShiki& equation);

} // namespace tavolini
