// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "operations/operation.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tavolini {

// What kind of entry came last on the command panel.
enum LastEntry : int { NothingEntered = 0, EquationEntered = 1, OperationEntered = 2, NumberEntered = 3 };

// How far the command has been composed; the panel's groups follow it.
enum class ComposeStep { Nothing, FirstEquation, OperationChosen, SecondEquation };

// The command being composed on the panel: written by the panel, read by
// the executor.
struct CommandState {
    std::optional<Operation> operation;
    int firstEquation = 0;  // the equation the operation is applied to; 0 none
    int secondEquation = 0; // the other equation of ＋, － and 代入; 0 none
    int lastEntry = NothingEntered;
    ComposeStep composeStep = ComposeStep::Nothing;
    std::string pnlNumber; // the operand display, as typed (code page 932)
    std::string operandText;
    std::int32_t operandNumerator = 0;
};

} // namespace tavolini
