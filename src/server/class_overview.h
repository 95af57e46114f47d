// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/set_bytes.h"
#include "server/storage.h"

#include <cstdint>
#include <vector>

namespace tavolini::server {

// A pupil's work on one unit of the class's set.
struct UnitProgress {
    std::vector<std::int64_t> counts; // completions of each problem of the unit
    Millis last = 0;                  // when the newest of them ended; 0 for none
};

struct PupilProgress {
    Pupil pupil;
    std::vector<UnitProgress> units; // in the set's order
};

// The class's pupils (in their order) by the set's units, from the storage's
// progress rows on that set; rows naming no pupil, unit or problem of them
// are left out.
std::vector<PupilProgress> classOverview(const std::vector<SetUnit>& units, const std::vector<Pupil>& pupils,
                                         const std::vector<ProblemProgress>& progress);

} // namespace tavolini::server
