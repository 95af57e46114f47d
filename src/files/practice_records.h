// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "files/profile_text.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

class Dialogs;
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
};

// The problem-set path cut before the first '.' of its file name, plus ".rec".
std::string recordFilePath(const ProblemSet& set);

// "2026年03月05日09:07": each number below 10 with a leading 0.
std::string formatRecordDate(const LocalTime& time);

// A count as written in the file: a run of decimal digits; anything else
// reads as 0, and a count too large for 32 bits as the largest one.
std::int32_t readCount(std::string_view value);

// Counts one more completion of problem `problem` of unit `unit` with the
// time of it. True when the record file was written; a file that cannot be
// read or written is named in a message and kept as it was.
bool recordPractice(const ProblemSet& set, const PracticeRecords& records, Dialogs& dialogs, int unit,
                    int problem);

// The record file's contents; a missing or unreadable file reads as empty.
ProfileText readRecordFile(const ProblemSet& set);

// Erases the record of the unit titled `title`. True when the file now holds
// no such record; false (with a message naming the file) when it could not
// be rewritten, or when records are not written at all.
bool eraseUnitRecord(const ProblemSet& set, const PracticeRecords& records, Dialogs& dialogs,
                     std::string_view title);

// Whether the folder is on a CD-ROM file system (ISO 9660 or UDF), where the
// records cannot be written.
bool isCdRomFileSystem(unsigned long fileSystemType);
bool isOnCdRom(const std::string& folder);

} // namespace tavolini
