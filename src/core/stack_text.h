// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/equation.h"

#include <string>

namespace tavolini {

// A token as the stack view lists it: numerator, kind, denominator run
// together ("2x1", "0=1", "-1/2"), in code page 932.
std::string stackTokenText(ShikiToken token);

// The valid tokens of an equation so written, separated by blanks.
std::string stackText(const MShiki& equation);

} // namespace tavolini
