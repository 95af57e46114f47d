// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/cp932.h"
#include "files/practice_records.h"
#include "files/problem_set.h"
#include "support/temp_folder.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tavolini {

// A problem set of the given units (title and problem count) kept in `folder`.
inline ProblemSet setIn(const TempFolder& folder, std::initializer_list<std::pair<const char*, int>> units) {
    ProblemSet set;
    set.problemSetPath = folder / "ZUdir.sim";
    for (const auto& [title, problems] : units) {
        ++set.unitCount;
        set.UnitNames[static_cast<std::size_t>(set.unitCount)] = cp932(title);
        set.problemCounts[static_cast<std::size_t>(set.unitCount)] = problems;
    }
    return set;
}

// A clock that moves on one minute at every reading, from 5 March 2026 9:07.
inline PracticeRecords fixedClock() {
    PracticeRecords records;
    records.clock = [minute = 7]() mutable { return LocalTime{2026, 3, 5, 9, minute++}; };
    return records;
}

inline std::vector<std::string> utf8(const std::vector<std::string>& lines) {
    std::vector<std::string> converted;
    for (const std::string& line : lines)
        converted.push_back(utf8FromCp932(line));
    return converted;
}

} // namespace tavolini
