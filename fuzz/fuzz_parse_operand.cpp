// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Any bytes as the operand the pupil typed: the result is a number with a
// positive denominator, or the invalid operand with one message saying why.
#include "core/operand.h"

#include <cstdint>
#include <cstdlib>

using namespace tavolini;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Messages messages; // nobody to show them to
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ShikiToken value = parseOperand(messages, text);
    if (value.kind != '/') std::abort();
    if (value.den < 0 || (value.den == 0 && value != InvalidOperand)) std::abort();
    if (messages.size() != (value.den == 0 ? 1U : 0U)) std::abort();
    if (value.den > 1000000 || value.num > 999999 || value.num < -999999) std::abort();
    return 0;
}
