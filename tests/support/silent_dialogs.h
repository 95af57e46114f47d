// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"
#include "practice/drill_dialogs.h"

namespace tavolini {

// Dialogs that show nothing and cancel every question and file dialog.
class SilentDialogs final : public Dialogs {
  public:
    void showMessage(std::string_view) override {}
    Reply ask(std::string_view, std::string_view, Buttons) override { return Reply::Cancel; }
    std::optional<std::string> chooseOpenFile(std::string_view, std::string_view) override { return {}; }
    std::optional<std::string> chooseSaveFile(std::string_view, std::string_view) override { return {}; }
};

// The drill's dialogs closed at once: no special case named, no problem chosen.
class SilentDrillDialogs final : public DrillDialogs {
  public:
    SpecialAnswer showSpecialSolution() override { return SpecialAnswer::None; }
    bool showProblemSelection() override { return false; }
};

} // namespace tavolini
