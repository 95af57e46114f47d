// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "operations/operation.h"
#include "practice/judge.h"

#include <optional>
#include <string>

namespace tavolini {

// A command as the pupil would compose it, and why it helps (code page 932).
struct HintCommand {
    Operation operation{};
    int firstEquation = 0;
    int secondEquation = 0;
    std::string operand; // the number, as typed on the pad ("3", "-1", "2分の3")
    std::string reason;  // "yが消えます", "分母をはらいます"; may be empty
};

// The next sensible command for the equations written so far, the way a
// teacher at the desk would suggest it: brackets first; then fractions
// cleared by the least common multiple of their denominators and decimals by
// a power of ten, once in a family; an equation with one letter brought to
// "number·letter = number" and divided; a found value or a
// "letter = expression" substituted into an equation with both letters;
// two equations added or subtracted when a letter's coefficients agree, or
// one multiplied so that they will. Every command it gives is accepted by
// the executor and writes an equation not already there. Nothing when it
// finds none.
std::optional<HintCommand> nextCommand(const Algebra& algebra, const Answers& answers);

// How the command reads on the panel: "①＋②", "⑤÷3", "③かっこ".
std::string commandText(const HintCommand& command);

// The page message of ヒント: "ヒント：①＋②（yが消えます）", or, for a solved problem
// or a used-up budget, that instead. Short, so that it fits the row it is
// printed on at 800 pixels.
std::string hintMessage(const Algebra& algebra, const Answers& answers, int equationLimit);

} // namespace tavolini
