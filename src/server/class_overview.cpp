// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/class_overview.h"

#include <algorithm>
#include <map>

namespace tavolini::server {

std::vector<PupilProgress> classOverview(const std::vector<SetUnit>& units, const std::vector<Pupil>& pupils,
                                         const std::vector<ProblemProgress>& progress) {
    std::vector<UnitProgress> none;
    for (const SetUnit& unit : units)
        none.push_back({std::vector<std::int64_t>(static_cast<std::size_t>(std::max(unit.problems, 0))), 0});
    std::vector<PupilProgress> rows;
    std::map<RowId, std::size_t> rowOfPupil;
    for (const Pupil& pupil : pupils) {
        rowOfPupil.emplace(pupil.id, rows.size());
        rows.push_back({pupil, none});
    }
    std::map<std::string, std::size_t, std::less<>> unitTitled;
    for (std::size_t unit = 0; unit < units.size(); ++unit)
        unitTitled.emplace(units[unit].title, unit);

    for (const ProblemProgress& done : progress) {
        const auto row = rowOfPupil.find(done.pupilId);
        const auto unit = unitTitled.find(done.unitTitle);
        if (row == rowOfPupil.end() || unit == unitTitled.end()) continue;
        UnitProgress& cell = rows[row->second].units[unit->second];
        if (done.problem < 1 || static_cast<std::size_t>(done.problem) > cell.counts.size()) continue;
        cell.counts[static_cast<std::size_t>(done.problem - 1)] = done.count;
        cell.last = std::max(cell.last, done.lastEndedAt);
    }
    return rows;
}

} // namespace tavolini::server
