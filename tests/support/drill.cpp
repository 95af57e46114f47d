// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/drill.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "files/problem_set.h"
#include "operations/executor.h"
#include "operations/operation.h"
#include "practice/problem_set_menu.h"
#include "support/token_text.h"

#include <utility>

namespace tavolini {
namespace {

// Reads an equation label ("③", "(21)") at the front of `text`.
int takeLabel(std::string& text) {
    for (int n = EquationLabelCount - 1; n >= 1; --n) {
        const std::string name = utf8FromCp932(EquationLabels()[static_cast<std::size_t>(n)]);
        if (text.rfind(name, 0) == 0) {
            text.erase(0, name.size());
            return n;
        }
    }
    return 0;
}

} // namespace

bool Drill::load(std::string_view first, std::string_view second) {
    ProblemSet set;
    set.lines = {"<<", std::string(first) + ";" + std::string(second), ">>"};
    return readProblemSetShowing(set, dialogs) && loadProblemOf(set, 1, 1);
}

bool Drill::loadProblemOf(const ProblemSet& set, int unit, int problem) {
    for (MShiki& slot : algebra.EquationTable)
        slot = MShiki{};
    answers = Answers{};
    Messages messages;
    const bool loaded = !loadProblem(set, algebra, unit, problem, messages).invalid;
    showMessages(dialogs, messages);
    return loaded;
}

std::string Drill::run(const std::string& utf8Command) {
    std::string text = utf8Command;
    command = CommandState{};
    command.firstEquation = takeLabel(text);
    for (const OperationRow& row : Operations) {
        if (text.rfind(row.label, 0) != 0) continue;
        text.erase(0, std::string(row.label).size());
        command.operation = row.operation;
        break;
    }
    command.composeStep = ComposeStep::OperationChosen;
    command.lastEntry = OperationEntered;
    if (const int second = takeLabel(text); second != 0) {
        command.secondEquation = second;
        command.composeStep = ComposeStep::SecondEquation;
        command.lastEntry = EquationEntered;
    } else if (!text.empty()) {
        command.pnlNumber = cp932(text);
        command.lastEntry = NumberEntered;
    }

    Messages messages;
    const std::optional<int> written = executeOperation(algebra, command, messages);
    showMessages(dialogs, messages);
    if (!written) return "refused";
    return tokensText(algebra.EquationTable[static_cast<std::size_t>(*written)]);
}

std::string Drill::sentence(int n) const {
    return utf8FromCp932(algebra.EquationTable[static_cast<std::size_t>(n)].stepText);
}

std::vector<std::string> Drill::takeShown() {
    return std::exchange(dialogs.shown, {});
}

} // namespace tavolini
