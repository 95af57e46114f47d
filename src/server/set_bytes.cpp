// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/set_bytes.h"

#include "core/cp932.h"
#include "core/text_file.h"
#include "editing/problem_check.h"

namespace tavolini::server {

namespace {

bool readable(std::string_view bytes) {
    return bytes.size() <= MaxTextFileBytes && isCp932Text(bytes);
}

} // namespace

std::optional<ProblemSet> readSetBytes(std::string_view bytes) {
    if (!readable(bytes)) return std::nullopt;
    ProblemSet set;
    set.lines = splitLines(bytes);
    if (readProblemSet(set).fault != SetFault::None) return std::nullopt;
    return set;
}

// Bytes the program would not open are refused in the words it opens a file with.
SetCheck checkSetBytes(std::string_view nameUtf8, std::string_view bytes) {
    SetCheck check;
    if (!readable(bytes)) {
        const SetFileReading reading{bytes.size() > MaxTextFileBytes ? SetFileFault::TooLarge
                                                                     : SetFileFault::NotShiftJis};
        check.result = utf8FromCp932(checkResultText(CheckVerdict::BadStructure));
        check.messages.push_back(utf8FromCp932(setFileMessage(cp932(nameUtf8), reading)));
        return check;
    }
    std::vector<EditorLine> lines;
    for (std::string& line : splitLines(bytes))
        lines.push_back({std::move(line)});
    const ProblemCheck found = checkProblemSet(lines);
    check.passed = found.verdict == CheckVerdict::Passed;
    check.result = utf8FromCp932(checkResultText(found.verdict));
    for (const Message& message : found.messages)
        check.messages.push_back(utf8FromCp932(message.text));
    return check;
}

std::vector<SetUnit> unitsOf(const ProblemSet& set) {
    std::vector<SetUnit> units;
    for (int unit = 1; unit <= set.unitCount && unit < UnitRows; ++unit) {
        const auto row = static_cast<std::size_t>(unit);
        units.push_back({utf8FromCp932(set.UnitNames[row]), set.problemCounts[row]});
    }
    return units;
}

} // namespace tavolini::server
