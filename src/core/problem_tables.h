// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tavolini {

inline constexpr int UnitRows = 17;     // units 1..16; row 0 holds no unit
inline constexpr int ProblemColumns = 6; // column 0 the unit title, 1..5 its problems

inline constexpr std::string_view RecordExtension = ".rec";
inline constexpr std::string_view DefaultProblemSet = "ZUdir.sim";

// The units and problems of the problem set, as code page 932 text.
struct ProblemTables {
    std::array<std::string, UnitRows> UnitNames;
    std::array<std::array<std::string, ProblemColumns>, UnitRows> ProblemTexts;
};

} // namespace tavolini
