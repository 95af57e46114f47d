// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "driver_dialogs.h"

#include "core/cp932.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace tavolini {

void failScenario(const std::string& text) {
    std::cout << "error: " << text << std::endl;
    std::fflush(nullptr);
    std::_Exit(2);
}

std::string DriverDialogs::takeReply(const std::string& what) {
    if (m_replies.empty()) failScenario("no reply queued for " + what);
    std::string reply = m_replies.front();
    m_replies.pop_front();
    return reply;
}

void DriverDialogs::showMessage(std::string_view text) {
    std::cout << "message: " << utf8FromCp932(text) << '\n';
}

Reply DriverDialogs::ask(std::string_view, std::string_view text, Buttons) {
    const std::string question = utf8FromCp932(text);
    const std::string reply = takeReply("the question " + question);
    std::cout << "question: " << question << " -> " << reply << '\n';
    if (reply == "Yes") return Reply::Yes;
    if (reply == "No") return Reply::No;
    if (reply == "Cancel") return Reply::Cancel;
    if (reply == "OK") return Reply::Ok;
    if (reply == "Abort") return Reply::Abort;
    if (reply == "Retry") return Reply::Retry;
    if (reply == "Ignore") return Reply::Ignore;
    failScenario("the reply " + reply + " does not answer a question");
}

std::optional<std::string> DriverDialogs::chooseOpenFile(std::string_view, std::string_view) {
    const std::string reply = takeReply("the open dialog");
    std::cout << "dialog: open -> " << reply << '\n';
    if (reply == "Cancel") return std::nullopt;
    return reply;
}

std::optional<std::string> DriverDialogs::chooseSaveFile(std::string_view, std::string_view) {
    const std::string reply = takeReply("the save dialog");
    std::cout << "dialog: save -> " << reply << '\n';
    if (reply == "Cancel") return std::nullopt;
    return reply;
}

// The scenario language answers 特殊な解 by number: 8 for 解は無数にある,
// 3 for 解なし, 2 for closed without a choice.
SpecialAnswer DriverDialogs::showSpecialSolution() {
    const std::string reply = takeReply("the special-solution dialog");
    std::cout << "dialog: 特殊な解 -> " << reply << '\n';
    if (reply == "8") return SpecialAnswer::InfinitelyMany;
    if (reply == "3") return SpecialAnswer::NoSolution;
    if (reply == "2") return SpecialAnswer::None;
    failScenario("the reply " + reply + " does not answer the special-solution dialog");
}

bool DriverDialogs::showProblemSelection() {
    const std::string reply = takeReply("the selection dialog");
    std::cout << "dialog: 単元変更 -> " << reply << '\n';
    if (reply == "Cancel") return false;
    std::istringstream words(reply);
    int unit = 0;
    int problem = 0;
    if (!(words >> unit >> problem) || m_problems == nullptr || unit < 1 || unit > m_problems->unitCount ||
        problem < 1 || problem > m_problems->problemCounts[static_cast<std::size_t>(unit)])
        failScenario("the reply " + reply + " names no problem of the set");
    m_problems->currentUnit = unit;
    m_problems->problemNumbers[static_cast<std::size_t>(unit)] = problem;
    return true;
}

} // namespace tavolini
