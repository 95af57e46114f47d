// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "practice/judge.h"

#include <string>
#include <string_view>

namespace tavolini {

// What the scenario drivers print of a drill, in UTF-8, one line each:
// every equation of the table in its stack form with its step sentence...
std::string equationTableReport(const Algebra& algebra);

// ...and the state: the count, the answers, solved or not, the page message.
std::string drillStateReport(const Algebra& algebra, const Answers& answers, std::string_view pageMessage);

// ...and a file, line by line as the problem-set reader splits it, each
// line after "file: "; "file: (none)" when it cannot be read.
std::string fileReport(const std::string& path);

} // namespace tavolini
