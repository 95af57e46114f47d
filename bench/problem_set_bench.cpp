// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/algebra.h"
#include "core/cp932.h"
#include "files/problem_set.h"
#include "core/text_file.h"
#include "support/silent_dialogs.h"

#include <benchmark/benchmark.h>

namespace tavolini {
namespace {

// The bytes of a full set: 16 units of 5 problems in the usual writings.
std::string fullProblemSet() {
    const char* problems[] = {"2x+3y=13;3x-y=3", "y=2x+1;3x+y=11", "2{3(x+1)-y}=12;x+y=5",
                              "1|2(x+4)=y;x+y=8", "0.12x+0.05y=0.34;1/3x+1/2y=3"};
    std::vector<std::string> lines;
    for (int unit = 1; unit <= MaxUnits; ++unit) {
        lines.push_back(cp932("<<単元") + std::to_string(unit));
        for (const char* problem : problems) lines.emplace_back(problem);
        lines.emplace_back(">>");
    }
    return joinLines(lines);
}

// What the editor's check does: read the lines, build the tables and load every problem.
void readAndCheckFullSet(benchmark::State& state) {
    SilentDialogs dialogs;
    Algebra algebra(dialogs);
    const std::string bytes = fullProblemSet();
    for (auto _ : state) {
        ProblemSet set;
        set.lines = splitLines(bytes);
        bool valid = readProblemSet(set, dialogs);
        for (int unit = 1; unit <= set.unitCount; ++unit)
            for (int problem = 1; problem <= set.problemCounts[static_cast<std::size_t>(unit)]; ++problem)
                valid = loadProblem(set, algebra, unit, problem).invalid == 0 && valid;
        if (!valid || set.unitCount != MaxUnits) state.SkipWithError("the set did not read");
        benchmark::DoNotOptimize(set);
    }
}
BENCHMARK(readAndCheckFullSet)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tavolini
