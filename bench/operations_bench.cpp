// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// One step of each operation through the executor, on the equations of the
// typical road 2x+y=7 ; x-y=2. Every iteration reserves the slot as the
// execute button does, runs the step, then puts back the slot and the
// counters it changed, so that each one measures the same single step.
#include "core/cp932.h"
#include "core/parser.h"
#include "operations/executor.h"

#include <benchmark/benchmark.h>

#include <array>
#include <span>
#include <string>

namespace tavolini {
namespace {

struct Command {
    Operation operation;
    int first;
    int second;
    int lastEntry;
    const char* operand; // UTF-8, as the pad shows it
};

struct Problem {
    const char* first;
    const char* second;
};

constexpr Problem RoadProblem{"2x+y=7", "x-y=2"};
constexpr Problem BracketProblem{"3(x+1)-2{y-(x-4)}=7", "x+y=2"};

// ①＋② → ③ 3x=9; ③÷3 → ④ x=3; ④代入② → ⑤ 3−y=2; ⑤移項 → ⑥ −y=−3+2;
// ⑥整理 → ⑦ −y=−1; ⑦×−1 → ⑧ y=1.
constexpr std::array<Command, 6> Road{{
    {Operation::Add, 1, 2, EquationEntered, ""},
    {Operation::Divide, 3, 0, NumberEntered, "3"},
    {Operation::Substitute, 4, 2, EquationEntered, ""},
    {Operation::Transpose, 5, 0, OperationEntered, ""},
    {Operation::Simplify, 6, 0, OperationEntered, ""},
    {Operation::Multiply, 7, 0, NumberEntered, "-1"},
}};

CommandState commandState(const Command& command, const std::string& operand) {
    CommandState state;
    state.operation = command.operation;
    state.firstEquation = command.first;
    state.secondEquation = command.second;
    state.lastEntry = command.lastEntry;
    state.pnlNumber = operand;
    return state;
}

// A problem loaded as the program loads it, with the steps of a road behind it.
class Workbench {
public:
    explicit Workbench(const Problem& problem) {
        m_algebra.unknown1 = '?';
        m_algebra.unknown2 = '?';
        m_ok = parseEquation(m_algebra, m_algebra.EquationTable[1], problem.first, m_unshown) &&
               parseEquation(m_algebra, m_algebra.EquationTable[2], problem.second, m_unshown);
        m_algebra.EquationTable[1].origin = 1;
        m_algebra.EquationTable[2].origin = 2;
        m_algebra.equationCount = 2;
        m_algebra.originCounter = 2;
    }

    // Runs a command as the execute button does; false when it was refused.
    bool run(const Command& command, const std::string& operand) {
        CommandState state = commandState(command, operand);
        Messages unshown;
        return executeOperation(m_algebra, state, unshown).has_value();
    }

    bool runRoad(std::span<const Command> steps) {
        for (const Command& step : steps)
            if (!run(step, cp932(step.operand))) return false;
        return m_ok;
    }

    Algebra& algebra() { return m_algebra; }

private:
    Messages m_unshown; // a benchmark shows nothing
    Algebra m_algebra;
    bool m_ok = false;
};

// What a step changes: the counters and the slots from the next one on.
struct Saved {
    int equationCount;
    int originCounter;
    std::array<MShiki, 8> slots;

    explicit Saved(const Algebra& algebra)
        : equationCount(algebra.equationCount), originCounter(algebra.originCounter) {
        for (std::size_t k = 0; k < slots.size(); ++k) slots[k] = algebra.EquationTable[first() + k];
    }

    void restore(Algebra& algebra, std::size_t used) const {
        for (std::size_t k = 0; k < used; ++k) algebra.EquationTable[first() + k] = slots[k];
        algebra.equationCount = equationCount;
        algebra.originCounter = originCounter;
    }

    std::size_t first() const { return static_cast<std::size_t>(equationCount) + 1; }
};

void oneStep(benchmark::State& state, Problem problem, std::size_t roadSteps, Command command) {
    Workbench bench(problem);
    if (!bench.runRoad(std::span(Road).first(roadSteps))) return state.SkipWithError("the road was refused");
    const Saved saved(bench.algebra());
    const std::string operand = cp932(command.operand);
    if (!bench.run(command, operand)) return state.SkipWithError("the step was refused");
    saved.restore(bench.algebra(), 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.run(command, operand));
        saved.restore(bench.algebra(), 1);
    }
}

BENCHMARK_CAPTURE(oneStep, add_equations_1_plus_2, RoadProblem, 0, Road[0]);
BENCHMARK_CAPTURE(oneStep, divide_3_by_3, RoadProblem, 1, Road[1]);
BENCHMARK_CAPTURE(oneStep, substitute_4_into_2, RoadProblem, 2, Road[2]);
BENCHMARK_CAPTURE(oneStep, transpose_5, RoadProblem, 3, Road[3]);
BENCHMARK_CAPTURE(oneStep, simplify_6, RoadProblem, 4, Road[4]);
BENCHMARK_CAPTURE(oneStep, multiply_7_by_minus_1, RoadProblem, 5, Road[5]);
BENCHMARK_CAPTURE(oneStep, subtract_equations_1_minus_2, RoadProblem, 0,
                  Command{Operation::Subtract, 1, 2, EquationEntered, ""});
BENCHMARK_CAPTURE(oneStep, add_number_1_plus_5, RoadProblem, 0,
                  Command{Operation::Add, 1, 0, NumberEntered, "5"});
BENCHMARK_CAPTURE(oneStep, subtract_number_1_minus_half, RoadProblem, 0,
                  Command{Operation::Subtract, 1, 0, NumberEntered, "2分の1"});
BENCHMARK_CAPTURE(oneStep, brackets_nested, BracketProblem, 0,
                  Command{Operation::Brackets, 1, 0, OperationEntered, ""});

// The six steps of the road, from the problem to y=1.
void wholeRoad(benchmark::State& state) {
    Workbench bench(RoadProblem);
    const Saved saved(bench.algebra());
    std::array<std::string, Road.size()> operands;
    for (std::size_t k = 0; k < Road.size(); ++k) operands[k] = cp932(Road[k].operand);
    for (auto _ : state) {
        for (std::size_t k = 0; k < Road.size(); ++k) benchmark::DoNotOptimize(bench.run(Road[k], operands[k]));
        if (bench.algebra().equationCount != 8) return state.SkipWithError("the road was refused");
        saved.restore(bench.algebra(), Road.size());
    }
}
BENCHMARK(wholeRoad);

} // namespace
} // namespace tavolini
