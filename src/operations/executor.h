// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "operations/command_state.h"

#include <string>

namespace tavolini {

// Carries out the composed command: the new equation goes into slot
// `equationCount` (reserved by the caller) with its origin and its step
// sentence, which is also returned in `stepSentence`. On a refusal its
// message is in `messages` for the caller to show, the new slot is empty and nothing else in the
// table has changed. Either way the operand display is emptied and
// `composeStep` is 0.
bool executeOperation(Algebra& algebra, CommandState& command, std::string& stepSentence, Messages& messages);

} // namespace tavolini
