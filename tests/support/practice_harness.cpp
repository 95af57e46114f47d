// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/practice_harness.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "files/profile_text.h"
#include "operations/operation.h"
#include "practice/problem_set_menu.h"
#include "support/token_text.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace tavolini {
namespace {

constexpr std::array<const char*, 10> WideDigits{"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

// The equation number a caption names, or 0.
int equationNumber(std::string_view caption) {
    for (int n = 1; n < EquationLabelCount; ++n)
        if (utf8FromCp932(EquationLabels()[static_cast<std::size_t>(n)]) == caption) return n;
    return 0;
}

const OperationRow* operationNamed(std::string_view caption) {
    for (const OperationRow& row : Operations)
        if (caption == row.label) return &row;
    return nullptr;
}

// The caption at the front of a written command: an equation label (the
// longest that fits), an operation word, "分の", "CL", a full-width digit or
// one ASCII character.
std::string_view frontCaption(std::string_view command) {
    std::string_view best;
    auto consider = [&](std::string_view caption) {
        if (!caption.empty() && command.starts_with(caption) && caption.size() > best.size())
            best = command.substr(0, caption.size());
    };
    std::string label;
    for (int n = 1; n < EquationLabelCount; ++n) {
        const std::string candidate = utf8FromCp932(EquationLabels()[static_cast<std::size_t>(n)]);
        if (command.starts_with(candidate) && candidate.size() > label.size()) label = candidate;
    }
    consider(label);
    for (const OperationRow& row : Operations)
        consider(row.label);
    for (const char* caption : WideDigits)
        consider(caption);
    consider("分の");
    consider("CL");
    consider("．");
    if (best.empty()) best = command.substr(0, 1);
    return best;
}

} // namespace

PracticeHarness::PracticeHarness(const std::vector<std::string>& utf8Lines, HarnessOptions options) {
    page.equationLimit = options.equationLimit;
    page.rowsPerScreen = options.rowsPerScreen;
    for (const std::string& line : utf8Lines)
        problems.lines.push_back(cp932(line));
    setRead = readProblemSetShowing(problems, dialogs);
    problems.problemSetPath = folder / "ZUdir.sim";
    records.startedFromCdRom = !options.keepRecords;
    records.clock = [] { return LocalTime{2026, 3, 5, 9, 7}; };
}

std::vector<std::string> PracticeHarness::oneUnit(std::initializer_list<const char*> problems) {
    std::vector<std::string> lines{"<<単元1"};
    lines.insert(lines.end(), problems.begin(), problems.end());
    lines.push_back(">>");
    return lines;
}

bool PracticeHarness::start() {
    return flow.startProblem(false);
}

void PracticeHarness::press(std::string_view caption) {
    if (const int n = equationNumber(caption); n != 0) return panel.chooseEquation(n);
    if (const OperationRow* row = operationNamed(caption)) return panel.chooseOperation(row->operation);
    for (std::size_t d = 0; d < WideDigits.size(); ++d)
        if (caption == WideDigits[d]) return panel.padInput(std::string(1, static_cast<char>('0' + d)));
    if (caption.size() == 1 && caption[0] >= '0' && caption[0] <= '9') return panel.padInput(caption);
    if (caption == "." || caption == "．") return panel.padInput(".");
    if (caption == "分の") return panel.padInput(cp932("分の"));
    if (caption == "CL") return panel.padInput("CL");
    if (caption == "-") return panel.minusKey();
    if (caption == "実行") return execute();
    if (caption == "訂正") return correct();
    if (caption == "次の問題") return flow.btnNextClick();
    if (caption == "単元変更") return flow.changeUnit();
    throw std::invalid_argument("no button is captioned " + std::string(caption));
}

void PracticeHarness::compose(std::string_view command) {
    while (!command.empty()) {
        const std::string_view caption = frontCaption(command);
        press(caption);
        command.remove_prefix(caption.size());
    }
}

std::vector<std::string> PracticeHarness::run(std::string_view command) {
    compose(command);
    execute();
    return takeShown();
}

CommandPanel::KeyAction PracticeHarness::keyDown(int code, bool shift) {
    const CommandPanel::KeyAction action = panel.keyDown(code, shift, true);
    if (action == CommandPanel::KeyAction::Execute) execute();
    if (action == CommandPanel::KeyAction::Correct) correct();
    return action;
}

CommandPanel::KeyAction PracticeHarness::pageKeyDown(int code, bool shift) {
    const CommandPanel::KeyAction action = panel.keyDown(code, shift, false);
    if (action == CommandPanel::KeyAction::Execute) execute();
    if (action == CommandPanel::KeyAction::Correct) correct();
    return action;
}

CommandPanel::KeyAction PracticeHarness::keyStroke(int code, bool shift, std::string_view text) {
    const CommandPanel::KeyAction action = panel.keyStroke(code, shift, text, true);
    if (action == CommandPanel::KeyAction::Execute) execute();
    if (action == CommandPanel::KeyAction::Correct) correct();
    return action;
}

std::vector<std::string> PracticeHarness::takeShown() {
    return std::exchange(dialogs.shown, {});
}

std::string PracticeHarness::equation(int n) const {
    return tokensText(algebra.EquationTable[static_cast<std::size_t>(n)]);
}

std::string PracticeHarness::sentence(int n) const {
    return utf8FromCp932(algebra.EquationTable[static_cast<std::size_t>(n)].stepText);
}

bool PracticeHarness::frameAgrees() const {
    if (page.highlightedEquation == -1) return pageView.outlined.empty();
    return pageView.outlined == std::set<int>{page.highlightedEquation};
}

int PracticeHarness::recordCount(int unit, int problem) const {
    Messages messages;
    const ProfileText profile = readRecordFile(problems, messages).value_or(ProfileText{});
    const std::string& title = problems.UnitNames[static_cast<std::size_t>(unit)];
    return readCount(readProfileString(profile, title, std::to_string(problem)).value_or(""));
}

} // namespace tavolini
