// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"

namespace tavolini {

// Dialogs that show nothing and answer every question with its last button.
class SilentDialogs final : public Dialogs {
public:
    void showMessage(std::string_view) override {}
    Reply ask(std::string_view, std::string_view, Buttons) override { return Reply::Ignore; }
    std::optional<std::string> chooseOpenFile(std::string_view, std::string_view) override { return {}; }
    std::optional<std::string> chooseSaveFile(std::string_view, std::string_view) override { return {}; }
};

} // namespace tavolini
