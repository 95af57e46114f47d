// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string>
#include <string_view>

namespace tavolini::server {

// Why a completion is not kept.
enum class ReplayFault {
    None,
    SetUnreadable,   // the bytes are not a set the program would open
    NoSuchUnit,      // no unit of the set has that title
    NoSuchProblem,   // the unit has no problem of that number
    ProblemUnusable, // the problem does not load
    StepsUnreadable, // not a step log stepLogText could have written
    StepRefused,     // step `step` would not be accepted (1 = the first)
    NotSolved,       // every step done, the problem is not solved
    OtherAnswer,     // solved, with answers other than the ones claimed
    TooSlow,         // the replay ran past its time limit
};

struct ReplayResult {
    ReplayFault fault = ReplayFault::None;
    int step = 0; // with StepRefused
    bool ok() const { return fault == ReplayFault::None; }
};

// What the pupil did, done again from the problem's text through the same
// executor and judge as the drill: kept only when it ends solved with
// `claimedAnswer` (answerText of the pupil's answers). Bounded by the widest
// page's equation budget and a time limit.
ReplayResult replayCompletion(std::string_view setBytes, std::string_view unitTitleUtf8, int problem,
                              std::string_view steps, std::string_view claimedAnswer);

// The reason in words, for the refusal the page shows ("3番目の操作が受け付けられません" …).
std::string replayFaultMessage(const ReplayResult& result);

} // namespace tavolini::server
