// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/start_up_set.h"

#include "core/cp932.h"
#include "practice/practice_flow.h"
#include "practice/problem_set_menu.h"

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

StartUp startPractice(ProblemSet& problems, PracticeRecords& records, const Algebra& algebra,
                      Dialogs& dialogs, ProgramEnd& programEnd, PracticeFlow& practice,
                      const std::string& path) {
    problems.startFolder = currentFolder();
    const SetFileReading file = loadProblemSetFile(problems, algebra, dialogs, programEnd, path);
    if (file.fault == SetFileFault::Missing || file.fault == SetFileFault::Unreadable) return StartUp::Ended;
    records.startedFromCdRom = isOnCdRom(problems.startFolder);
    if (file.fault != SetFileFault::None) {
        dialogs.showMessage(setFileMessage(problems.problemSetPath, file));
        return StartUp::NothingToPractise;
    }
    // No problem from empty tables, no moving to one.
    if (!readProblemSetShowing(problems, dialogs)) return StartUp::NothingToPractise;
    tellUnusableProblems(problems, dialogs);
    practice.startProblem(false);
    return StartUp::Practising;
}

void fatalError(const Algebra& algebra, Dialogs& dialogs, ProgramEnd& programEnd, std::string_view text) {
    dialogs.showMessage(std::string(text) + std::to_string(static_cast<int>(algebra.parseError)) +
                        cp932(":回復不能なエラーです"));
    programEnd.endProgram();
}

} // namespace tavolini
