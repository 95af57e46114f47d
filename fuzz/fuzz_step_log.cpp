// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Any bytes as a stored log of a problem's steps: a text that parses writes
// back the same, and its steps done again on the typical problem end in a
// verdict or a refusal.
#include "core/parser.h"
#include "practice/step_log.h"

#include <cstdint>
#include <cstdlib>

using namespace tavolini;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<StepLog> log = parseStepLog(text);
    if (!log) return 0;
    if (stepLogText(*log) != text) std::abort();
    Algebra algebra;
    Messages messages;
    for (const int n : {1, 2}) {
        algebra.equationCount = n;
        if (!parseEquation(algebra, algebra.EquationTable[n], n == 1 ? "2x+y=7" : "x-y=2", messages))
            std::abort();
        algebra.EquationTable[n].origin = n;
    }
    algebra.originCounter = 2;
    Answers answers;
    for (const LoggedStep& step : *log)
        if (!replayStep(algebra, answers, step, 32)) break;
    if (algebra.equationCount > 32) std::abort();
    return 0;
}
