// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/replay.h"

#include "files/problem_set.h"
#include "practice/answer_text.h"
#include "practice/judge.h"
#include "practice/step_log.h"
#include "presentation/page_layout.h"
#include "server/set_bytes.h"

#include <chrono>
#include <ctime>

namespace tavolini::server {
namespace {

// Far above what a legitimate log takes (well under a millisecond); a
// hostile one cannot hold a request thread longer than this. Counted in the
// thread's own processor time: under load a replay waits for a core, and the
// waiting must not turn a pupil's correct work away.
constexpr std::chrono::milliseconds ReplayTimeLimit{50};

std::chrono::nanoseconds threadTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

} // namespace

ReplayResult replayCompletion(std::string_view setBytes, std::string_view unitTitleUtf8, int problem,
                              std::string_view steps, std::string_view claimedAnswer) {
    const auto deadline = threadTime() + ReplayTimeLimit;
    const std::optional<ProblemSet> set = readSetBytes(setBytes);
    if (!set) return {ReplayFault::SetUnreadable};
    const int unit = unitTitled(*set, unitTitleUtf8);
    if (unit == 0) return {ReplayFault::NoSuchUnit};
    if (problem < 1 || problem > set->problemCounts[static_cast<std::size_t>(unit)])
        return {ReplayFault::NoSuchProblem};

    Algebra algebra;
    Messages messages;
    if (loadProblem(*set, algebra, unit, problem, messages).invalid || !messages.empty())
        return {ReplayFault::ProblemUnusable};
    const std::optional<StepLog> log = parseStepLog(steps);
    if (!log) return {ReplayFault::StepsUnreadable};

    Answers answers;
    judgeProblemEquations(algebra, answers);
    int number = 0;
    for (const LoggedStep& step : *log) {
        if (threadTime() > deadline) return {ReplayFault::TooSlow};
        ++number;
        if (!replayStep(algebra, answers, step, WidestEquationLimit))
            return {ReplayFault::StepRefused, number};
    }
    if (!isSolved(answers)) return {ReplayFault::NotSolved};
    if (answerText(answers) != claimedAnswer) return {ReplayFault::OtherAnswer};
    return {};
}

std::string replayFaultMessage(const ReplayResult& result) {
    switch (result.fault) {
    case ReplayFault::None:
        return "";
    case ReplayFault::SetUnreadable:
        return "問題集のファイルを読めません";
    case ReplayFault::NoSuchUnit:
        return "問題集にその単元がありません";
    case ReplayFault::NoSuchProblem:
        return "単元にその問題がありません";
    case ReplayFault::ProblemUnusable:
        return "問題が読み込めません";
    case ReplayFault::StepsUnreadable:
        return "操作の記録が読めません";
    case ReplayFault::StepRefused:
        return std::to_string(result.step) + "番目の操作が受け付けられません";
    case ReplayFault::NotSolved:
        return "操作のあとも解が出ていません";
    case ReplayFault::OtherAnswer:
        return "答えが操作の結果と違います";
    case ReplayFault::TooSlow:
        return "確かめるのに時間がかかりすぎました";
    }
    return "";
}

} // namespace tavolini::server
