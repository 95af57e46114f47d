// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/record_lists.h"

#include "core/cp932.h"
#include "files/practice_records.h"
#include "files/problem_set.h"

#include <algorithm>

namespace tavolini {
namespace {

// The units the lists show: those of the current set, up to the first
// without a title (titles left from a larger set read earlier stay unseen).
int listedUnits(const ProblemSet& set) {
    const int last = std::clamp(set.unitCount, 0, MaxUnits);
    int unit = 1;
    while (unit <= last && !set.UnitNames[static_cast<std::size_t>(unit)].empty())
        ++unit;
    return unit - 1;
}

} // namespace

std::vector<std::string> recordListLines(const ProblemSet& set, const ProfileText& records) {
    const std::string star = cp932("★");
    std::vector<std::string> lines;
    const int units = listedUnits(set);
    for (int unit = 1; unit <= units; ++unit) {
        const auto row = static_cast<std::size_t>(unit);
        const std::string& title = set.UnitNames[row];
        lines.push_back(title);
        std::string date = readProfileString(records, title, DateKey).value_or("");
        if (!date.empty()) lines.push_back(std::move(date));
        const int problems = std::clamp(set.problemCounts[row], 0, MaxProblemsPerUnit);
        for (int problem = 1; problem <= problems; ++problem) {
            const auto value = readProfileString(records, title, std::to_string(problem)).value_or("0");
            const std::int32_t stars = std::min(readCount(value), MaxStarsShown);
            std::string line = "  " + std::to_string(problem);
            line.reserve(line.size() + star.size() * static_cast<std::size_t>(stars));
            for (std::int32_t i = 0; i < stars; ++i)
                line += star;
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::vector<std::string> fillRecordList(const ProblemSet& set, Messages& messages) {
    return recordListLines(set, readRecordFile(set, messages).value_or(ProfileText{}));
}

std::vector<std::string> deletionListLines(const ProblemSet& set, const ProfileText& records) {
    std::vector<std::string> lines;
    const int units = listedUnits(set);
    for (int unit = 1; unit <= units; ++unit) {
        const std::string& title = set.UnitNames[static_cast<std::size_t>(unit)];
        if (!readProfileString(records, title, DateKey).value_or("").empty()) lines.push_back(title);
    }
    return lines;
}

std::vector<std::string> fillDeletionList(const ProblemSet& set, Messages& messages) {
    return deletionListLines(set, readRecordFile(set, messages).value_or(ProfileText{}));
}

void btnDeleteOneClick(RecordDeletion& deletion, const ProblemSet& set, PracticeRecords& records,
                       Messages& messages) {
    const int chosen = deletion.chosen;
    if (chosen < 0 || chosen >= static_cast<int>(deletion.titles.size())) {
        tell(messages, cp932("消去する単元を選んでください"));
        return;
    }
    const auto title = deletion.titles.begin() + chosen;
    if (!eraseUnitRecord(set, records, messages, *title)) return;
    deletion.titles.erase(title);
    deletion.chosen = -1;
    deletion.erased = true;
}

} // namespace tavolini
