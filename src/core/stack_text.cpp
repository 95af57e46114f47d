// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/stack_text.h"

namespace tavolini {

std::string stackTokenText(ShikiToken token) {
    return std::to_string(token.num) + token.kind + std::to_string(token.den);
}

std::string stackText(const MShiki& equation) {
    std::string text;
    for (int i = 0; i < equation.count && i < MaxTokens; ++i) {
        if (i > 0) text += ' ';
        text += stackTokenText(tokenAt(equation, i));
    }
    return text;
}

} // namespace tavolini
