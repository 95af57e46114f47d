// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/operand.h"
#include "core/parser.h"
#include "support/silent_dialogs.h"

#include <benchmark/benchmark.h>

namespace tavolini {
namespace {

void parseText(benchmark::State& state, const char* text) {
    SilentDialogs dialogs;
    Algebra algebra(dialogs);
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseEquation(algebra, algebra.EquationTable[1], text));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(parseText, typical_20_bytes, "2x+3y=12-0.5(x-y)+1");
BENCHMARK_CAPTURE(parseText, short_line, "2x+y=7");
BENCHMARK_CAPTURE(parseText, fractions_and_brackets, "1|2(x+4)-2/3{y-(x+1)}=5/6");

void parseOperandText(benchmark::State& state) {
    SilentDialogs dialogs;
    const std::string text = cp932("-12分の7");
    for (auto _ : state) benchmark::DoNotOptimize(parseOperand(dialogs, text));
}
BENCHMARK(parseOperandText);

template <typename Operation> void tokenOperation(benchmark::State& state, Operation operation) {
    SilentDialogs dialogs;
    ShikiToken a = makeToken(7, 12, 'x');
    ShikiToken b = makeToken(-5, 18, '/');
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(operation(dialogs, a, b));
    }
}
BENCHMARK_CAPTURE(tokenOperation, add, [](Dialogs& d, ShikiToken a, ShikiToken b) { return addTokens(d, a, b); });
BENCHMARK_CAPTURE(tokenOperation, sub, [](Dialogs& d, ShikiToken a, ShikiToken b) { return subTokens(d, a, b); });
BENCHMARK_CAPTURE(tokenOperation, mul, [](Dialogs&, ShikiToken a, ShikiToken b) { return mulTokens(a, b); });
BENCHMARK_CAPTURE(tokenOperation, div, [](Dialogs& d, ShikiToken a, ShikiToken b) { return divTokens(d, a, b); });
BENCHMARK_CAPTURE(tokenOperation, reduce, [](Dialogs&, ShikiToken a, ShikiToken) { return reduceToken(a); });

} // namespace
} // namespace tavolini

BENCHMARK_MAIN();
