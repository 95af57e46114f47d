// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <array>
#include <string>

namespace tavolini {

inline constexpr int EquationLabelCount = 33;

// The names of equations by number, as code page 932 text: "0", "①" to "⑳",
// then "(21)" to "(32)".
const std::array<std::string, EquationLabelCount>& EquationLabels();

} // namespace tavolini
