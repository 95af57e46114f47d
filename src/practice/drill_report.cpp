// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/drill_report.h"

#include "core/cp932.h"
#include "core/stack_text.h"
#include "core/text_file.h"
#include "practice/answer_text.h"

namespace tavolini {
namespace {

// "x=3", "y=-1/2", or nothing while the unknown is not found.
std::string valueText(const std::optional<UnknownValue>& value) {
    return value ? unknownValueText(*value) : "";
}

// A special case the pupil has named stands in the first answer.
std::string firstAnswerText(const Answers& answers) {
    switch (answers.special) {
    case SpecialAnswer::NoSolution:
        return "解なし";
    case SpecialAnswer::InfinitelyMany:
        return "解は無数にある";
    case SpecialAnswer::None:
        break;
    }
    return valueText(answers.answer1);
}

} // namespace

std::string equationTableReport(const Algebra& algebra) {
    std::string report;
    for (int n = 1; n <= algebra.equationCount && n < EquationSlots; ++n) {
        const MShiki& equation = algebra.EquationTable[static_cast<std::size_t>(n)];
        report += std::to_string(n) + ": " + utf8FromCp932(stackText(equation));
        if (!equation.stepText.empty()) report += " | " + utf8FromCp932(equation.stepText);
        report += '\n';
    }
    return report;
}

std::string drillStateReport(const Algebra& algebra, const Answers& answers, std::string_view pageMessage) {
    return "count=" + std::to_string(algebra.equationCount) + " answer1=" + firstAnswerText(answers) +
           " answer2=" + valueText(answers.answer2) + " solved=" + (isSolved(answers) ? "1" : "0") +
           " message=" + utf8FromCp932(pageMessage) + '\n';
}

std::string fileReport(const std::string& path) {
    const FileContents contents = readWholeFile(path);
    if (contents.status != FileStatus::Read) return "file: (none)\n";
    std::string report;
    for (const std::string& line : splitLines(contents.bytes))
        report += "file: " + utf8FromCp932(line) + '\n';
    return report;
}

} // namespace tavolini
