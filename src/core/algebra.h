// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/equation.h"
#include "core/parse_error.h"

#include <array>

namespace tavolini {

inline constexpr int EquationSlots = 37;
inline constexpr int ScratchSlot = 0;    // the selection dialog's previews
inline constexpr int SolutionSlotX = 33; // the solved equation of unknown1
inline constexpr int SolutionSlotY = 34; // the solved equation of unknown2

// The program-wide state of the algebra: the table of equations, whose slot
// number is the equation's number (1 and 2 the problem, 3 upward the steps),
// and what the parser learns on the way. A plain value: a hint or a check
// tries a step on a copy. Members are named in lower camel case; only the
// design's table keeps its capitalised name.
struct Algebra {
    std::array<MShiki, EquationSlots> EquationTable{};
    MShiki scratchA{};     // work list of the equation operations
    int equationCount = 0; // number of the newest equation
    int originCounter = 0; // largest origin handed out
    char unknown1 = '?';   // the problem's letters, '?' while not found;
    char unknown2 = '?';   // unknown1 has the smaller code
    ParseError parseError = ParseError::None;
    bool hasDecimalPoint = false; // whether the last text parsed had a '.'
};

} // namespace tavolini
