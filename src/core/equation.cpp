// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/equation.h"

namespace tavolini {

bool pushToken(MShiki& equation, ShikiToken token) {
    if (equation.count < 0 || equation.count >= MaxTokens) return false;
    equation.tokens[static_cast<std::size_t>(equation.count)] = token;
    ++equation.count;
    return true;
}

ShikiToken popToken(MShiki& equation) {
    if (equation.count <= 0 || equation.count > MaxTokens) return TokenZero;
    --equation.count;
    return equation.tokens[static_cast<std::size_t>(equation.count)];
}

void clearEquation(MShiki& equation) {
    equation.count = 0;
}

} // namespace tavolini
