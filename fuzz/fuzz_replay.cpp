// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Any bytes as a completion sent to the server: the first byte the problem's
// number, the rest the set's bytes, the unit's title, the steps and the
// claimed answer, separated by NUL bytes (which a set cannot hold). Nothing
// may crash; a refused step names a step of the log; every refusal has its
// words; a kept completion is refused with any other answer.
#include "practice/step_log.h"
#include "server/replay.h"

#include <array>
#include <cstdint>
#include <cstdlib>

using namespace tavolini;
using namespace tavolini::server;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int problem = static_cast<std::int8_t>(data[0]);
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::array<std::string_view, 4> parts{};
    for (std::size_t i = 0; i < parts.size() && !rest.empty(); ++i) {
        const std::size_t end = i + 1 < parts.size() ? rest.find('\0') : rest.size();
        parts[i] = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    const auto& [set, title, steps, answer] = parts;
    const ReplayResult result = replayCompletion(set, title, problem, steps, answer);
    if (replayFaultMessage(result).empty() != result.ok()) std::abort();
    if ((result.fault == ReplayFault::StepRefused) !=
        (result.step >= 1 && static_cast<std::size_t>(result.step) <= LargestStepLog))
        std::abort();
    if (result.ok()) {
        const ReplayFault other = replayCompletion(set, title, problem, steps, std::string(answer) + " ").fault;
        if (other != ReplayFault::OtherAnswer && other != ReplayFault::TooSlow) std::abort();
    }
    return 0;
}
