// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/quiet_dialogs.h"
#include "practice/drill_dialogs.h"

namespace tavolini {

// Dialogs that show nothing and cancel every question and file dialog: the
// program's own quiet dialogs.
using SilentDialogs = QuietDialogs;

// The drill's dialogs closed at once: no special case named, no problem chosen.
class SilentDrillDialogs final : public DrillDialogs {
  public:
    int showSpecialSolution() override { return Closed; }
    bool showProblemSelection() override { return false; }
};

} // namespace tavolini
