// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Any bytes as an equation text: the parse must end cleanly with a record
// that holds at most 40 tokens, and a successful one a well-formed record;
// a refusal tells one message, a success none.
#include "core/parser.h"

#include <cstdint>
#include <cstdlib>

using namespace tavolini;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Messages messages; // nobody to show them to
    Algebra algebra;
    MShiki& slot = algebra.EquationTable[1];
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool ok = parseEquation(algebra, slot, text, messages);

    if (slot.count < 0 || slot.count > MaxTokens) std::abort();
    if (ok != (algebra.parseError == ParseError::None)) std::abort();
    if (messages.size() != (ok ? 0U : 1U)) std::abort();
    if (ok && (slot.count < 3 || size > MaxEquationTextBytes)) std::abort();
    for (int i = 0; ok && i < slot.count; ++i)
        if (slot.tokens[static_cast<std::size_t>(i)].den <= 0) std::abort();
    return 0;
}
