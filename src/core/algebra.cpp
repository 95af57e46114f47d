// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/algebra.h"

#include "core/quiet_dialogs.h"

namespace tavolini {
namespace {

QuietDialogs& nobodyListening() {
    static QuietDialogs quiet;
    return quiet;
}

} // namespace

Algebra::Algebra() : dialogs(nobodyListening()) {}

} // namespace tavolini
