// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string_view>

namespace tavolini::web {

// The command panel's code for a key by its place on the keyboard
// (KeyboardEvent.code), so that a Japanese layout types as an English one;
// 0 for a key the drill has no use for.
int virtualKeyCode(std::string_view code);

} // namespace tavolini::web
