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

} // namespace tavolini
