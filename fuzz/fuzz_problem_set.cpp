// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Any bytes as a problem-set file: its lines, the unit tables read from them
// and every problem loaded. Nothing may crash, a refused set must leave the
// tables untouched and name a line, a loaded problem must be a sound pair of
// equations, and the editor's check and the trial at opening must agree with
// the loader.
#include "core/algebra.h"
#include "core/text_file.h"
#include "editing/problem_check.h"
#include "files/problem_set.h"

#include <cstdint>
#include <cstdlib>

using namespace tavolini;

namespace {

// The check passes exactly the sets that read and load whole, and names
// lines that exist.
void checkAgrees(const ProblemSet& set, bool read, bool allLoad) {
    std::vector<EditorLine> lines;
    for (const std::string& line : set.lines)
        lines.push_back({line, false});
    const ProblemCheck check = checkProblemSet(lines);
    if ((check.verdict == CheckVerdict::BadStructure) != !read) std::abort();
    if ((check.verdict == CheckVerdict::Passed) != (read && allLoad)) std::abort();
    if (check.verdict != CheckVerdict::FailingUnit) return;
    if (check.failingLines.empty() || check.failingUnitLine >= lines.size() ||
        !lines[check.failingUnitLine].text.starts_with(UnitOpening))
        std::abort();
    for (std::size_t line : check.failingLines)
        if (line <= check.failingUnitLine || line >= lines.size()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Messages messages; // nobody to show them to
    Algebra algebra;
    ProblemSet set;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    set.lines = splitLines(bytes);
    if (splitLines(joinLines(set.lines)) != set.lines) std::abort();

    if (const SetReading reading = readProblemSet(set); reading.fault != SetFault::None) {
        if (set.unitCount != 0 || !set.UnitNames[1].empty() || set.problemCounts[1] != 0) std::abort();
        // A refusal names a line of the text, and says something.
        if ((reading.fault != SetFault::NoLines && reading.line >= set.lines.size()) ||
            setFaultMessage(reading, set.lines).empty())
            std::abort();
        checkAgrees(set, false, false);
        return 0;
    }
    bool allLoad = true;
    if (set.unitCount < 1 || set.unitCount > MaxUnits) std::abort();
    for (int unit = 1; unit <= set.unitCount; ++unit) {
        const int problems = set.problemCounts[static_cast<std::size_t>(unit)];
        if (problems < 1 || problems > MaxProblemsPerUnit) std::abort();
        for (int problem = 1; problem <= problems; ++problem) {
            const RenExt loaded = loadProblem(set, algebra, unit, problem, messages);
            allLoad = allLoad && !loaded.invalid;
            if (loaded.invalid) continue;
            for (int slot = 1; slot <= 2; ++slot) {
                const MShiki& equation = algebra.EquationTable[static_cast<std::size_t>(slot)];
                if (equation.count < 3 || equation.count > MaxTokens || equation.origin != slot) std::abort();
            }
            if (algebra.unknown1 == '?' || algebra.equationCount != 2 || algebra.originCounter != 2)
                std::abort();
        }
    }
    if (tryEveryProblem(set).unusableLines.empty() != allLoad) std::abort();
    checkAgrees(set, true, allLoad);
    return 0;
}
