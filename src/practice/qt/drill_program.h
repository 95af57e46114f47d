// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/qt/main_window.h"

namespace tavolini {

// Every piece of program-wide state and the main window that works on it,
// made once: by main for the pupil, by the scenario driver for the tests.
struct DrillProgram {
    DrillProgram(Dialogs& dialogs, DrillDialogs& drillDialogs, QSize screen)
        : window(
              DrillState{algebra, dialogs, command, answers, page, layout, problems, records, drillDialogs},
              screen) {}

    Algebra algebra;
    CommandState command;
    Answers answers;
    PageState page;
    LayoutState layout;
    ProblemSet problems;
    PracticeRecords records;
    TfrmMain window;
};

} // namespace tavolini
