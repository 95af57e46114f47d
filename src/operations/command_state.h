// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <cstdint>
#include <string>

namespace tavolini {

// What kind of entry came last on the command panel.
enum LastEntry : int { NothingEntered = 0, EquationEntered = 1, OperationEntered = 2, NumberEntered = 3 };

// The command being composed on the panel: written by the panel, read by
// the executor. Operation codes: '*' ×, '/' ÷, '+' ＋, '-' －, '^' 代入,
// 'I' 移項, 'S' 整理, 'K' かっこ, '?' none.
struct CommandState {
    char operationCode = '?';
    int firstEquation = 0;  // the equation the operation is applied to; 0 none
    int secondEquation = 0; // the other equation of ＋, － and 代入; 0 none
    int lastEntry = NothingEntered;
    int composeStep = 0;    // 0 nothing, 1 first equation, 2 operation, 3 second equation
    std::string pnlNumber;  // the operand display, as typed (code page 932)
    std::string operandText;
    std::int32_t operandNumerator = 0;
};

} // namespace tavolini
