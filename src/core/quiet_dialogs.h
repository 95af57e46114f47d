// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"

namespace tavolini {

// Dialogs for work the pupil does not see (previews, trying out a step):
// nothing is shown, every question is cancelled.
class QuietDialogs final : public Dialogs {
  public:
    void showMessage(std::string_view) override {}
    Reply ask(std::string_view, std::string_view, Buttons) override { return Reply::Cancel; }
    std::optional<std::string> chooseOpenFile(std::string_view, std::string_view) override { return {}; }
    std::optional<std::string> chooseSaveFile(std::string_view, std::string_view) override { return {}; }
};

} // namespace tavolini
