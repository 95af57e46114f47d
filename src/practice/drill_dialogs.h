// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/judge.h"

namespace tavolini {

// The drill's own modal dialogs, behind an interface so that the rules can
// be driven by a script: the main window shows the real ones.
class DrillDialogs {
  public:
    virtual ~DrillDialogs() = default;

    // 特殊な解: which special case the pupil names; None when the dialog was
    // closed without a choice.
    virtual SpecialAnswer showSpecialSolution() = 0;

    // 単元変更: true on OK, having set currentUnit and that unit's problem number.
    virtual bool showProblemSelection() = 0;
};

} // namespace tavolini
