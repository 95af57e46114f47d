// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/messages.h"
#include "files/profile_text.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

struct ProblemSet;

inline constexpr std::string_view DateKey = "DATE";

struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

LocalTime localTimeNow();

// How the records are kept: tests fix the clock.
struct PracticeRecords {
    bool startedFromCdRom = false; // nothing is written then
    std::function<LocalTime()> clock = localTimeNow;
    // Record files already reported as unreadable, so that a completion does
    // not say it again; the one thing recording changes here, hence mutable.
    mutable std::set<std::string> unreadableReported;
};

// The problem-set path cut before the first '.' of its file name, plus ".rec".
std::string recordFilePath(const ProblemSet& set);
std::string recordFilePathOf(std::string_view problemSetPath);

// "2026年03月05日09:07": each number below 10 with a leading 0.
std::string formatRecordDate(const LocalTime& time);

// A count as written in the file: a run of decimal digits; anything else
// reads as 0, and a count too large for 32 bits as the largest one.
std::int32_t readCount(std::string_view value);

// Counts one more completion of problem `problem` of unit `unit` with the
// time of it, under a lock against other copies of the program. True when
// the record file was written. A file that cannot be written is named in a
// message each time; one that cannot be read (not text, not a regular file)
// is named once, is never rewritten, and recording resumes when it is gone.
bool recordPractice(const ProblemSet& set, const PracticeRecords& records, Messages& messages, int unit,
                    int problem);

// The record file's contents; a missing or unreadable file reads as empty,
// and anything but a regular file is not opened for reading at all.
ProfileText readRecordFile(const ProblemSet& set);

// Erases the record of the unit titled `title`, under the same lock. True
// when the file now holds no such record; false (with a message naming the
// file, also when it was reported before: the pupil asked for this) when it
// could not be read or rewritten, or when records are not written at all.
bool eraseUnitRecord(const ProblemSet& set, const PracticeRecords& records, Messages& messages,
                     std::string_view title);

// Whether the folder is on a CD-ROM file system (ISO 9660 or UDF), where the
// records cannot be written.
bool isCdRomFileSystem(unsigned long fileSystemType);
bool isOnCdRom(const std::string& folder);

} // namespace tavolini
