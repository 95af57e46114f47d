// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/token_text.h"

#include "core/cp932.h"
#include "core/token_kinds.h"

namespace tavolini {
namespace {

std::string valueText(ShikiToken t, char bar) {
    std::string text = std::to_string(t.num);
    if (t.den != 1 || bar == '|') text += bar + std::to_string(t.den);
    return text;
}

} // namespace

std::string tokenText(ShikiToken t) {
    if (t.kind == '/' || t.kind == '|') return valueText(t, t.kind);
    if (isLetter(t.kind)) return valueText(t, '/') + t.kind;
    const std::string symbol = utf8FromCp932(std::string(1, t.kind));
    return t.num == 0 ? symbol : valueText(t, '/') + symbol;
}

std::string tokensText(const MShiki& equation) {
    std::string text;
    for (int i = 0; i < equation.count && i < MaxTokens; ++i) {
        if (i > 0) text += ' ';
        text += tokenText(equation.tokens[static_cast<std::size_t>(i)]);
    }
    return text;
}

} // namespace tavolini
