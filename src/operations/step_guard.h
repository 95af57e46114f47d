// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/equation.h"

namespace tavolini {

// How an operation ended. A refusal has appended its own message; the executor
// reports an overflow and an equation too long for a record.
enum class StepResult { Done, Refused, Overflow, TooLong };

// Remembers the first reason a step cannot be completed while the step is
// being built, so that operations can be written straight through and
// checked once at the end.
class StepGuard {
  public:
    // The token of an arithmetic result; an overflow is remembered and 0 stands in.
    ShikiToken value(CheckedToken token);

    // The token with its sign changed (-2^31 has no 32-bit negation).
    ShikiToken negated(ShikiToken token);

    // Appends a token; a full record is remembered and nothing is written.
    void append(MShiki& equation, ShikiToken token);

    bool ok() const { return m_result == StepResult::Done; }
    StepResult result() const { return m_result; }

  private:
    void fail(StepResult result);

    StepResult m_result = StepResult::Done;
};

} // namespace tavolini
