// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/step_guard.h"

#include <limits>

namespace tavolini {

ShikiToken StepGuard::value(CheckedToken token) {
    if (token) return *token;
    fail(StepResult::Overflow);
    return TokenZero;
}

ShikiToken StepGuard::negated(ShikiToken token) {
    if (token.num == std::numeric_limits<std::int32_t>::min()) {
        fail(StepResult::Overflow);
        return token;
    }
    token.num = -token.num;
    return token;
}

void StepGuard::append(MShiki& equation, ShikiToken token) {
    if (!pushToken(equation, token)) fail(StepResult::TooLong);
}

void StepGuard::fail(StepResult result) {
    if (m_result == StepResult::Done) m_result = result;
}

} // namespace tavolini
