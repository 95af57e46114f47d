// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/cp932.h"
#include "files/problem_set.h"

#include <string>
#include <vector>

namespace tavolini {

// The lines of a full set: 16 units of 5 problems in the usual writings.
inline std::vector<std::string> fullProblemSetLines() {
    const char* problems[] = {"2x+3y=13;3x-y=3", "y=2x+1;3x+y=11", "2{3(x+1)-y}=12;x+y=5", "1|2(x+4)=y;x+y=8",
                              "0.12x+0.05y=0.34;1/3x+1/2y=3"};
    std::vector<std::string> lines;
    for (int unit = 1; unit <= MaxUnits; ++unit) {
        lines.push_back(cp932("<<単元") + std::to_string(unit));
        for (const char* problem : problems)
            lines.emplace_back(problem);
        lines.emplace_back(">>");
    }
    return lines;
}

} // namespace tavolini
