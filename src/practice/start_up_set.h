// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "core/dialogs.h"
#include "files/problem_set.h"

#include <string>
#include <string_view>

namespace tavolini {

// readProblemSetFile at start-up: a file that is missing or unreadable ends
// the program through fatalError, naming its absolute path; `problemSetPath`
// is then left as it was. Any other refusal is left to the caller to show.
SetFileReading loadProblemSetFile(ProblemSet& set, const Algebra& algebra, Dialogs& dialogs,
                                  ProgramEnd& programEnd, const std::string& path);

// Shows the text with the parser's error code and ends the program.
void fatalError(const Algebra& algebra, Dialogs& dialogs, ProgramEnd& programEnd, std::string_view text);

} // namespace tavolini
