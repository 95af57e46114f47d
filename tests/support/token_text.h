// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/equation.h"

#include <string>

namespace tavolini {

// A token list written compactly for assertions, in UTF-8:
// "2x -3y = 5", "-1 ( 1x 1 ) = 1/2", "1|2 ( 1x 4 ) = 1y".
// Numbers show as n or n/d ('|' numbers as n|d), terms as the coefficient
// and the letter, '=' brackets and '*' as themselves (their value is 0;
// its denominator, which scaling may change, is not shown).
std::string tokenText(ShikiToken token);
std::string tokensText(const MShiki& equation);

} // namespace tavolini
