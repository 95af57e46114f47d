// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/drill_report.h"

#include "core/cp932.h"
#include "core/stack_text.h"

namespace tavolini {

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
    return "count=" + std::to_string(algebra.equationCount) + " answer1=" + utf8FromCp932(answers.answer1) +
           " answer2=" + utf8FromCp932(answers.answer2) + " solved=" + (isSolved(answers) ? "1" : "0") +
           " message=" + utf8FromCp932(pageMessage) + '\n';
}

} // namespace tavolini
