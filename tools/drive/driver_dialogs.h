// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"
#include "files/problem_set.h"
#include "practice/drill_dialogs.h"

#include <deque>
#include <string>

namespace tavolini {

// Every message box and dialog of a scenario: written to standard output as
// it happens and answered from the replies the scenario queued. A question
// with no reply queued ends the run with exit code 2.
class DriverDialogs final : public Dialogs, public DrillDialogs {
  public:
    void setProblemSet(ProblemSet* problems) { m_problems = problems; }
    void queue(std::string reply) { m_replies.push_back(std::move(reply)); }

    void showMessage(std::string_view text) override;
    Reply ask(std::string_view caption, std::string_view text, Buttons buttons) override;
    std::optional<std::string> chooseOpenFile(std::string_view filter, std::string_view presetPath) override;
    std::optional<std::string> chooseSaveFile(std::string_view filter, std::string_view presetPath) override;
    SpecialAnswer showSpecialSolution() override;
    bool showProblemSelection() override;

    // The next queued reply; with none the run ends, naming `what` wanted it.
    std::string takeReply(const std::string& what);

  private:
    std::deque<std::string> m_replies;
    ProblemSet* m_problems = nullptr;
};

// Ends the run: "error: TEXT" and exit code 2.
[[noreturn]] void failScenario(const std::string& text);

} // namespace tavolini
