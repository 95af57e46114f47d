// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/messages.h"
#include "files/profile_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavolini {

struct PracticeRecords;
struct ProblemSet;

// The viewer draws a count as that many stars; a hand-edited count beyond
// this would only make a line too long to read (or to hold).
inline constexpr std::int32_t MaxStarsShown = 1000;

// The viewer's lines: per unit its title, its date when it has one, and per
// problem two blanks, the number and a star for each completion. Only the
// units of the current set are listed, up to the first without a title.
// A record file that cannot be read is named in `messages`, and the lists
// are those of no records.
std::vector<std::string> recordListLines(const ProblemSet& set, const ProfileText& records);
std::vector<std::string> fillRecordList(const ProblemSet& set, Messages& messages);

// The deletion dialog's lines: the titles of the units that have a date.
std::vector<std::string> deletionListLines(const ProblemSet& set, const ProfileText& records);
std::vector<std::string> fillDeletionList(const ProblemSet& set, Messages& messages);

// The deletion dialog as the pupil works it: the titles listed, the one
// chosen (none below 0) and whether a record was erased, in which case the
// dialog ends with OK and the viewer reads its list again.
struct RecordDeletion {
    std::vector<std::string> titles;
    int chosen = -1;
    bool erased = false;
};

// 消去: erases the chosen unit's record and takes its title off the list,
// leaving none chosen; with none chosen it asks for one. A record that could
// not be erased has said why and stays listed.
void btnDeleteOneClick(RecordDeletion& deletion, const ProblemSet& set, PracticeRecords& records,
                       Messages& messages);

} // namespace tavolini
