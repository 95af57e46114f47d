// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/operand.h"
#include "core/parser.h"

#include <benchmark/benchmark.h>

namespace tavolini {
namespace {

void parseText(benchmark::State& state, const char* text) {
    Messages messages;
    Algebra algebra;
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseEquation(algebra, algebra.EquationTable[1], text, messages));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(parseText, typical_20_bytes, "2x+3y=12-0.5(x-y)+1");
BENCHMARK_CAPTURE(parseText, short_line, "2x+y=7");
BENCHMARK_CAPTURE(parseText, fractions_and_brackets, "1|2(x+4)-2/3{y-(x+1)}=5/6");

void parseOperandText(benchmark::State& state) {
    Messages messages;
    const std::string text = cp932("-12分の7");
    for (auto _ : state)
        benchmark::DoNotOptimize(parseOperand(messages, text));
}
BENCHMARK(parseOperandText);

template <typename Operation> void tokenOperation(benchmark::State& state, Operation operation) {
    Messages messages;
    ShikiToken a = makeToken(7, 12, 'x');
    ShikiToken b = makeToken(-5, 18, '/');
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(operation(messages, a, b));
    }
}
BENCHMARK_CAPTURE(tokenOperation, add,
                  [](Messages& m, ShikiToken a, ShikiToken b) { return addTokens(m, a, b); });
BENCHMARK_CAPTURE(tokenOperation, sub,
                  [](Messages& m, ShikiToken a, ShikiToken b) { return subTokens(m, a, b); });
BENCHMARK_CAPTURE(tokenOperation, mul, [](Messages&, ShikiToken a, ShikiToken b) { return mulTokens(a, b); });
BENCHMARK_CAPTURE(tokenOperation, div,
                  [](Messages& m, ShikiToken a, ShikiToken b) { return divTokens(m, a, b); });
BENCHMARK_CAPTURE(tokenOperation, reduce, [](Messages&, ShikiToken a, ShikiToken) { return reduceToken(a); });

} // namespace
} // namespace tavolini

BENCHMARK_MAIN();
