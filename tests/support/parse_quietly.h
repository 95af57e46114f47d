// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/parser.h"

namespace tavolini {

// Parses a text into an equation record for a test that only builds a table:
// the parser's messages are not looked at.
inline bool parseQuietly(Algebra& algebra, MShiki& equation, std::string_view text) {
    Messages unlooked;
    return parseEquation(algebra, equation, text, unlooked);
}

// The same, except that a number ending a text written with '|' ("x=1|2")
// keeps that kind, as an operation may leave it; the parser writes '/' there.
inline bool parseKeepingBar(Algebra& algebra, MShiki& equation, std::string_view text) {
    if (!parseQuietly(algebra, equation, text)) return false;
    const std::size_t bar = text.rfind('|');
    if (bar != std::string_view::npos &&
        text.find_first_not_of("0123456789", bar + 1) == std::string_view::npos)
        equation.tokens[static_cast<std::size_t>(equation.count - 1)].kind = '|';
    return true;
}

} // namespace tavolini
