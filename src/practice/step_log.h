// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "operations/operation.h"
#include "practice/judge.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

// One accepted 実行 of the problem being worked on: the command as the
// executor took it, and for an identity or a contradiction what the pupil
// named in 特殊な解 in the end (None: the dialog was closed).
struct LoggedStep {
    Operation operation = Operation::Multiply;
    int firstEquation = 0;
    int secondEquation = 0; // 0 when the operation took a number or nothing
    std::string operand;    // pnlNumber as typed (code page 932); empty without a number
    SpecialAnswer named = SpecialAnswer::None;

    friend bool operator==(const LoggedStep&, const LoggedStep&) = default;
};

// The steps of the current problem in order: step k wrote equation k + 3.
// Enough to make the problem's rows again, and to check a completion by
// doing the steps again.
using StepLog = std::vector<LoggedStep>;

// More steps than the table has slots cannot have happened.
inline constexpr std::size_t LargestStepLog = EquationSlots - 4;

// The log as one line of ASCII, the steps separated by spaces: the first
// equation's number, the operation's code, then "@" and the second
// equation's number, or "#" and the number typed ("b" for 分の), and "!M"
// or "!N" for 解は無数にある or 解なし: "1+@2 3/#3 4^@2 5I".
std::string stepLogText(const StepLog& log);
// The text back; nothing for a text that stepLogText cannot have written.
std::optional<StepLog> parseStepLog(std::string_view text);

// The step done again on the table and the answers, with no message and no
// dialog: the verdict of the new equation, or nothing when the step would
// not be accepted now as it was then (refused, an unknown found again, a
// special case named wrongly, past the budget, after the solve).
std::optional<Verdict> replayStep(Algebra& algebra, Answers& answers, const LoggedStep& step,
                                  int equationLimit);

} // namespace tavolini
