// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "operations/command_state.h"
#include "practice/judge.h"
#include "support/scripted_dialogs.h"

#include <string>
#include <vector>

namespace tavolini {

struct ProblemSet;

// A problem being worked on, driven the way the execute button drives it:
// load the two equations, then run commands written the way a pupil
// composes them.
class Drill {
  public:
    Drill() {}

    // Loads the problem's two equations as ① and ② through the problem-set
    // loader, on an empty table; false when the problem does not load.
    bool load(std::string_view first, std::string_view second);
    bool loadProblemOf(const ProblemSet& set, int unit, int problem);

    // Runs one command: "①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "②かっこ",
    // "①×2分の1", "①－0.5", "③＋5" (UTF-8; a number after ＋/－/×/÷ is the
    // operand). Answers the new equation as tokensText, or "refused".
    std::string run(const std::string& command);

    // The step sentence of equation n, in UTF-8.
    std::string sentence(int n) const;

    // The messages shown since the last call, then forgotten.
    std::vector<std::string> takeShown();

    ScriptedDialogs dialogs;
    Algebra algebra;
    CommandState command;
    Answers answers;
};

} // namespace tavolini
