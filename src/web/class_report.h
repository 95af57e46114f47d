// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "files/problem_set.h"
#include "practice/practice_flow.h"

#include <emscripten/val.h>

namespace tavolini::web {

// A solved problem as the page sends it to the class server: the set's name
// and bytes (its lines with CR LF, as they are saved) and their SHA-256, the
// unit's title (UTF-8), the problem, the steps (stepLogText), the answers
// (answerText), the hints asked and the times.
emscripten::val completionReport(const Completion& completion, const ProblemSet& set);

// The class server's ★ counts ([{set, unit, problem, count}], titles in
// UTF-8) become the record file of the set in use: those of its name, the
// file's name.
void useRecordCounts(const emscripten::val& records, const ProblemSet& set);

} // namespace tavolini::web
