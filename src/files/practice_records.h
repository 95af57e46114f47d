// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/messages.h"
#include "files/profile_text.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
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

// A completion counted while another copy of the program had the record
// file, or while it could not be written: it is written with the next
// completion or at exit.
struct HeldCompletion {
    std::string path; // its record file
    std::string title;
    int problem = 0;
    LocalTime time;
};

// How long a completion waits for another copy to finish with the file; the
// pupil's window does not answer meanwhile.
inline constexpr std::chrono::milliseconds RecordLockWait{3000};

// How the records are kept: tests fix the clock.
struct PracticeRecords {
    bool startedFromCdRom = false; // nothing is written then
    std::function<LocalTime()> clock = localTimeNow;
    // Record files already reported as unreadable, so that a completion does
    // not say it again.
    std::set<std::string> unreadableReported;
    std::vector<HeldCompletion> held;
    bool busyReported = false; // said once while completions are held
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
// time of it, under a lock against other copies of the program, together
// with the completions held before. True when the record file was written.
// A file that cannot be written is named with the cause each time, and the
// completions are held; one that
// is not a record file (not text, other lines, not a regular file) is named
// once, is never rewritten, and recording resumes when it is gone. A file
// another copy keeps past RecordLockWait is said to be in use once, and the
// completion is held.
bool recordPractice(const ProblemSet& set, PracticeRecords& records, Messages& messages, int unit,
                    int problem);

enum class WhenBusy { Hold, GiveUp };

// Writes the held completions; true when every one was written. At exit
// (GiveUp) nothing is held: a file still in use is named as not written.
bool writeHeldRecords(PracticeRecords& records, Messages& messages, WhenBusy whenBusy);

// The record file's contents; a missing file reads as empty. Nothing, after
// a message naming it, when something else is there: the pupil asked to see
// it, so this is said each time. Anything but a regular file is not opened.
std::optional<ProfileText> readRecordFile(const ProblemSet& set, Messages& messages);

// Erases the record of the unit titled `title`, under the same lock. True
// when the file now holds no such record; false (with a message naming the
// file, also when it was reported before: the pupil asked for this) when it
// could not be read or rewritten, or when records are not written at all.
bool eraseUnitRecord(const ProblemSet& set, PracticeRecords& records, Messages& messages,
                     std::string_view title);

// How often a problem was solved, as kept elsewhere (the class server).
struct RecordCount {
    std::string title; // the unit's title, code page 932
    int problem = 0;
    std::int32_t count = 0;
};

// A record file holding just these counts, without dates; counts of no
// problem a unit can have, and negative ones, are left out.
std::string recordFileBytes(const std::vector<RecordCount>& counts);

// Whether the folder is on a CD-ROM file system (ISO 9660 or UDF), where the
// records cannot be written.
bool isCdRomFileSystem(unsigned long fileSystemType);
bool isOnCdRom(const std::string& folder);

} // namespace tavolini
