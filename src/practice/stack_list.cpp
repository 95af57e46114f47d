// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/stack_list.h"

#include "core/algebra.h"
#include "core/equation_labels.h"
#include "core/stack_text.h"

#include <algorithm>

namespace tavolini {

std::vector<std::string> stackListLines(const Algebra& algebra, int equationLimit) {
    std::vector<std::string> lines;
    const int last = std::min(equationLimit, EquationLabelCount - 1);
    for (int n = 1; n <= last; ++n) {
        const MShiki& equation = algebra.EquationTable[static_cast<std::size_t>(n)];
        for (int i = 0; i < std::clamp(equation.count, 0, MaxTokens); ++i)
            lines.push_back(stackTokenText(tokenAt(equation, i)));
        lines.push_back("----------" + EquationLabels()[static_cast<std::size_t>(n)]);
    }
    return lines;
}

} // namespace tavolini
