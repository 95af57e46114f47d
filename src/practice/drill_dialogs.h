// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

namespace tavolini {

// The drill's own modal dialogs, behind an interface so that the rules can
// be driven by a script: the main window shows the real ones.
class DrillDialogs {
  public:
    virtual ~DrillDialogs() = default;

    // Results of the special-solution dialog.
    static constexpr int InfinitelyMany = 8; // 解は無数にある
    static constexpr int NoSolution = 3;     // 解なし
    static constexpr int Closed = 2;         // closed without a choice

    // 特殊な解: which special case the pupil names.
    virtual int showSpecialSolution() = 0;

    // 単元変更: true on OK, having set currentUnit and that unit's problem number.
    virtual bool showProblemSelection() = 0;
};

} // namespace tavolini
