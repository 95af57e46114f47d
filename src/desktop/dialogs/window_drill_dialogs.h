// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/drill_dialogs.h"

namespace tavolini {

struct DrillProgram;
class TfrmMain;
class TfrmMondai;
class TfrmSentaku;

// The drill's dialogs as the pupil sees them: 特殊な解 beside the problem and
// 単元変更 over the main window. Attached once the main window exists.
class WindowDrillDialogs final : public DrillDialogs {
  public:
    WindowDrillDialogs();
    ~WindowDrillDialogs() override;

    void attach(DrillProgram& program);

    SpecialAnswer showSpecialSolution() override;
    bool showProblemSelection() override;

  private:
    void placeSpecialDialog();

    DrillProgram* m_program = nullptr;
    TfrmSentaku* m_sentaku = nullptr; // children of the main window
    TfrmMondai* m_mondai = nullptr;
};

} // namespace tavolini
