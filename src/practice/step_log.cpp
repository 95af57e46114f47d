// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/step_log.h"

#include "core/cp932.h"
#include "core/messages.h"
#include "operations/executor.h"

namespace tavolini {
namespace {

constexpr std::size_t LongestOperand = 24;
constexpr std::size_t LongestStepLogText = LargestStepLog * (LongestOperand + 12);
constexpr char FractionKey = 'b'; // 分の, the key that types it

const std::string& fractionWord() {
    static const std::string word = cp932("分の");
    return word;
}

// A one- or two-digit number of an equation that can be in the table.
std::optional<int> equationNumber(std::string_view& text) {
    int number = 0;
    std::size_t digits = 0;
    while (digits < text.size() && digits < 2 && text[digits] >= '0' && text[digits] <= '9')
        number = number * 10 + (text[digits++] - '0');
    text.remove_prefix(digits);
    // No leading zero: each number has one spelling.
    if (digits == 0 || number < (digits == 2 ? 10 : 1) || number >= SolutionSlotX) return std::nullopt;
    return number;
}

std::optional<std::string> operand(std::string_view& text) {
    std::string typed;
    std::size_t length = 0;
    for (; length < text.size() && length <= LongestOperand; ++length) {
        const char c = text[length];
        if (c == FractionKey)
            typed += fractionWord();
        else if ((c >= '0' && c <= '9') || c == '.' || (c == '-' && length == 0))
            typed += c;
        else
            break;
    }
    text.remove_prefix(length);
    if (length == 0 || length > LongestOperand) return std::nullopt;
    return typed;
}

std::optional<LoggedStep> parseStep(std::string_view text) {
    LoggedStep step;
    const std::optional<int> first = equationNumber(text);
    if (!first || text.empty()) return std::nullopt;
    step.firstEquation = *first;
    const OperationRow* row = nullptr;
    for (const OperationRow& candidate : Operations)
        if (candidate.code == text.front()) row = &candidate;
    if (row == nullptr) return std::nullopt;
    step.operation = row->operation;
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '@' && row->takesEquation) {
        text.remove_prefix(1);
        const std::optional<int> second = equationNumber(text);
        if (!second) return std::nullopt;
        step.secondEquation = *second;
    } else if (!text.empty() && text.front() == '#' && row->takesNumber) {
        text.remove_prefix(1);
        std::optional<std::string> typed = operand(text);
        if (!typed) return std::nullopt;
        step.operand = std::move(*typed);
    } else if (row->takesNumber || row->takesEquation) {
        return std::nullopt;
    }
    if (text == "!M") {
        step.named = SpecialAnswer::InfinitelyMany;
    } else if (text == "!N") {
        step.named = SpecialAnswer::NoSolution;
    } else if (!text.empty()) {
        return std::nullopt;
    }
    return step;
}

CommandState commandOf(const LoggedStep& step) {
    CommandState command;
    command.operation = step.operation;
    command.firstEquation = step.firstEquation;
    command.secondEquation = step.secondEquation;
    command.pnlNumber = step.operand;
    const bool second = step.secondEquation != 0;
    command.lastEntry = second ? EquationEntered : step.operand.empty() ? OperationEntered : NumberEntered;
    command.composeStep = second ? ComposeStep::SecondEquation : ComposeStep::OperationChosen;
    return command;
}

} // namespace

std::string stepLogText(const StepLog& log) {
    std::string text;
    for (const LoggedStep& step : log) {
        if (!text.empty()) text += ' ';
        text += std::to_string(step.firstEquation) + operationRow(step.operation).code;
        if (step.secondEquation != 0) {
            text += '@' + std::to_string(step.secondEquation);
        } else if (!step.operand.empty()) {
            text += '#';
            for (std::size_t at = 0; at < step.operand.size(); ++at) {
                if (step.operand.compare(at, fractionWord().size(), fractionWord()) == 0) {
                    text += FractionKey;
                    at += fractionWord().size() - 1;
                } else {
                    text += step.operand[at];
                }
            }
        }
        if (step.named == SpecialAnswer::InfinitelyMany) text += "!M";
        if (step.named == SpecialAnswer::NoSolution) text += "!N";
    }
    return text;
}

std::optional<StepLog> parseStepLog(std::string_view text) {
    StepLog log;
    if (text.size() > LongestStepLogText) return std::nullopt;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::optional<LoggedStep> step = parseStep(text.substr(0, space));
        if (!step || log.size() == LargestStepLog) return std::nullopt;
        log.push_back(*step);
        if (space == std::string_view::npos) break;
        text.remove_prefix(space + 1);
        if (text.empty()) return std::nullopt; // a trailing space
    }
    return log;
}

std::optional<Verdict> replayStep(Algebra& algebra, Answers& answers, const LoggedStep& step,
                                  int equationLimit) {
    if (isSolved(answers) || algebra.equationCount >= equationLimit) return std::nullopt;
    CommandState command = commandOf(step);
    Messages messages;
    const std::optional<int> written = executeOperation(algebra, command, messages);
    if (!written) return std::nullopt;
    const Verdict verdict = judgeEquation(algebra, answers, *written);
    if (verdict == Verdict::FirstAgain || verdict == Verdict::SecondAgain) return std::nullopt;
    if (verdict != Verdict::Identity && verdict != Verdict::Contradiction)
        return step.named == SpecialAnswer::None ? std::optional(verdict) : std::nullopt;
    const SpecialAnswer right =
        verdict == Verdict::Identity ? SpecialAnswer::InfinitelyMany : SpecialAnswer::NoSolution;
    if (step.named == right) {
        answers = Answers{.special = right};
    } else if (step.named != SpecialAnswer::None) {
        return std::nullopt;
    }
    return verdict;
}

} // namespace tavolini
