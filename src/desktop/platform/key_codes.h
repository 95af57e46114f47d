// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

class QKeyEvent;

namespace tavolini {

// The keyboard's code for a key, as the command panel knows keys (VirtualKey);
// 0 for keys it has no use for. The digit row is read by
// the key's place on the keyboard, not by the sign Shift gives it, which
// differs from layout to layout.
int virtualKeyCode(const QKeyEvent& event);

} // namespace tavolini
