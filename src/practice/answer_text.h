// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/judge.h"

#include <string>

namespace tavolini {

// "x=3", "y=-1/2": an unknown's value as one ASCII word.
std::string unknownValueText(const UnknownValue& value);

// The answers of a solved problem as one ASCII line, the same on the page
// and on the server, which compares them: "x=3 y=-1/2" (answer1 first),
// "many" for 解は無数にある, "none" for 解なし; empty while not solved.
std::string answerText(const Answers& answers);

} // namespace tavolini
