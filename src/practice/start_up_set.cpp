// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/start_up_set.h"

#include "core/cp932.h"

#include <utility>

namespace tavolini {

SetFileReading loadProblemSetFile(ProblemSet& set, const Algebra& algebra, Dialogs& dialogs,
                                  ProgramEnd& programEnd, const std::string& path) {
    const std::string before = set.problemSetPath;
    const SetFileReading reading = readProblemSetFile(set, path);
    if (reading.fault != SetFileFault::Missing && reading.fault != SetFileFault::Unreadable) return reading;
    const std::string fullPath = std::exchange(set.problemSetPath, before);
    fatalError(algebra, dialogs, programEnd,
               fullPath + (reading.fault == SetFileFault::Missing ? ":FileNot Exists" : ":File Can't Load"));
    return reading;
}

void fatalError(const Algebra& algebra, Dialogs& dialogs, ProgramEnd& programEnd, std::string_view text) {
    dialogs.showMessage(std::string(text) + std::to_string(static_cast<int>(algebra.parseError)) +
                        cp932(":回復不能なエラーです"));
    programEnd.endProgram();
}

} // namespace tavolini
