// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"

#include <optional>

namespace tavolini {

// An equation read as  first·unknown1 + second·unknown2 + constant = 0
// (left side minus right side), with every bracket group multiplied out.
struct LinearForm {
    ShikiToken first;
    ShikiToken second;
    ShikiToken constant;
};

// Nothing when the equation holds a letter other than the two unknowns or
// its coefficients do not fit 32 bits.
std::optional<LinearForm> linearForm(Algebra& algebra, const MShiki& equation, Messages& messages);

// 0 = 0 in some form: true for every value of the unknowns.
bool isIdentity(const LinearForm& form);

// Whether the two equations have infinitely many common solutions. False
// when that cannot be told (a third letter, numbers too large).
bool hasInfinitelyManySolutions(Algebra& algebra, const MShiki& a, const MShiki& b, Messages& messages);

} // namespace tavolini
