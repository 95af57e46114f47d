// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "desktop/windows/main_window.h"
#include "practice/drill_data.h"

namespace tavolini {

// The drill's state and the main window that works on it, made once: by
// main for the pupil, by the scenario driver for the tests.
struct DrillProgram : DrillData {
    DrillProgram(Dialogs& dialogs, DrillDialogs& drillDialogs, QSize screen)
        : window(*this, dialogs, drillDialogs, screen) {}

    TfrmMain window;
};

} // namespace tavolini
