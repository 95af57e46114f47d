// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "core/dialogs.h"
#include "files/practice_records.h"
#include "files/problem_set.h"

#include <string>
#include <string_view>

namespace tavolini {

// readProblemSetFile at start-up: a file that is missing or unreadable ends
// the program through fatalError, naming its absolute path; `problemSetPath`
// is then left as it was. Any other refusal is left to the caller to show.
SetFileReading loadProblemSetFile(ProblemSet& set, const Algebra& algebra, Dialogs& dialogs,
                                  ProgramEnd& programEnd, const std::string& path);

class PracticeFlow;

enum class StartUp {
    Ended,             // the set could not be read: the program ends
    NothingToPractise, // the reason is shown; nothing to practise until another set is opened
    Practising,        // the first problem is on the page
};

// The program's start: reads the set at `path` from the current folder,
// notes where it started (records are not kept from a CD-ROM), and starts
// the first problem. A set that cannot be practised is never shown garbled
// nor written back changed.
StartUp startPractice(ProblemSet& problems, PracticeRecords& records, const Algebra& algebra,
                      Dialogs& dialogs, ProgramEnd& programEnd, PracticeFlow& practice,
                      const std::string& path);

// Shows the text with the parser's error code and ends the program.
void fatalError(const Algebra& algebra, Dialogs& dialogs, ProgramEnd& programEnd, std::string_view text);

} // namespace tavolini
