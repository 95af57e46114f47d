// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "core/messages.h"

#include <cstddef>
#include <string_view>

namespace tavolini {

inline constexpr std::size_t MaxEquationTextBytes = 50;
inline constexpr std::size_t MaxNumberDigits = 5;

// Reads an equation text such as "2x-3y=5" or "0.5(x-2)=3y" into `equation`
// in one left-to-right pass, exactly, and records the problem's unknown
// letters in `algebra`. On failure `algebra.parseError` says why, one
// message in `messages` tells the teacher what is wrong, and the equation
// holds whatever was stored before the failure; origin and step sentence are
// never touched. A success tells nothing.
bool parseEquation(Algebra& algebra, MShiki& equation, std::string_view text, Messages& messages);

// Reads the number that starts at `position` (a digit): an integer, a
// decimal, or a fraction written with '/' or '|'. Moves `position` past it.
ShikiToken parseNumber(Algebra& algebra, std::string_view text, std::size_t& position, Messages& messages);

// Reads a run of at most five digits at `position` and moves past it; a
// longer run fails the parse. No digit there reads as 0.
std::int32_t readDigits(Algebra& algebra, std::string_view text, std::size_t& position, Messages& messages);

} // namespace tavolini
