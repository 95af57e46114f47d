// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/judge.h"

#include <array>

namespace tavolini {

// The typical problem 2x+y=7; x−y=2 solved by elimination, one row per
// command: the equation it writes (as tokenText shows it), its step sentence
// and the verdict. The executor's test checks the rows; the flow's test
// checks what the pupil sees for the same rows.
struct RoadStep {
    const char* command;
    const char* equation;
    const char* sentence;
    Verdict verdict;
};

inline constexpr const char* RoadFirst = "2x+y=7";
inline constexpr const char* RoadSecond = "x-y=2";

inline constexpr std::array<RoadStep, 6> TypicalRoad{{
    {"①＋②", "3x = 9", "①式と②式をたすと", Verdict::Ordinary},
    {"③÷3", "1x = 3", "③式の両辺を3で割ると", Verdict::FirstFound},
    {"④代入②", "3 -1y = 2", "④式を②式に代入すると", Verdict::Ordinary},
    {"⑤移項", "-1y = -3 2", "⑤式を移項すると", Verdict::Ordinary},
    {"⑥整理", "-1y = -1", "⑥式を整理すると", Verdict::Ordinary},
    {"⑦×-1", "1y = 1", "⑦式の両辺を-1倍すると", Verdict::SecondFound},
}};

} // namespace tavolini
