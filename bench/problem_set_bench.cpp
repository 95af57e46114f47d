// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "editing/problem_check.h"
#include "files/problem_set.h"
#include "support/full_problem_set.h"

#include <benchmark/benchmark.h>

namespace tavolini {
namespace {

// The editor's check of a full set: the tables read from the lines and
// every problem loaded, on copies.
void readAndCheckFullSet(benchmark::State& state) {
    std::vector<EditorLine> lines;
    for (const std::string& line : fullProblemSetLines()) lines.push_back({line, false});
    for (auto _ : state) {
        const ProblemCheck check = checkProblemSet(lines);
        if (check.verdict != CheckVerdict::Passed || check.unitCount != MaxUnits)
            state.SkipWithError("the set did not pass");
        benchmark::DoNotOptimize(check);
    }
}
BENCHMARK(readAndCheckFullSet)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tavolini
