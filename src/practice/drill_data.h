// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "files/practice_records.h"
#include "files/problem_set.h"
#include "practice/command_panel.h"
#include "practice/judge.h"
#include "presentation/equation_layout.h"
#include "presentation/page_state.h"

namespace tavolini {

// Every piece of program-wide state a drill works on, made once for the
// window that shows it.
struct DrillData {
    Algebra algebra;
    CommandState command;
    Answers answers;
    PageState page;
    LayoutState layout;
    ProblemSet problems;
    PracticeRecords records;
};

} // namespace tavolini
