// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "operations/command_state.h"

#include <optional>
#include <string>

namespace tavolini {

// Carries out the composed command: the new equation, with its origin and
// its step sentence, becomes the newest of the table, and its number is
// answered. On a refusal its message is in `messages` for the caller to
// show, nothing is answered and the table is as it was. Either way the
// operand display is emptied and `composeStep` is 0.
std::optional<int> executeOperation(Algebra& algebra, CommandState& command, Messages& messages);

// The refusal of a command whose entries are not in order:
// "操作が誤りです。例①＋②，①÷２，④代入①".
std::string orderMessage();

} // namespace tavolini
