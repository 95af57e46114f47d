// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string>
#include <vector>

namespace tavolini {

struct Algebra;

// The stack view's lines: for each slot from 1 to `equationLimit` (at most
// the 32 labelled ones), each of its tokens as numerator, kind and
// denominator ("2x1", "0=1", "-1/1"), then "----------" and its label.
// Slots above `equationCount` are listed as they stand: empty.
std::vector<std::string> stackListLines(const Algebra& algebra, int equationLimit);

} // namespace tavolini
