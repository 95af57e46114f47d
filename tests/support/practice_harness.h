// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "files/practice_records.h"
#include "files/problem_set.h"
#include "operations/command_state.h"
#include "practice/command_panel.h"
#include "practice/judge.h"
#include "practice/practice_flow.h"
#include "presentation/page_state.h"
#include "support/fake_views.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

struct HarnessOptions {
    int equationLimit = 24; // 12 on a 640-pixel screen, 32 on a 1024-pixel one
    int rowsPerScreen = 6;  // 8 on a 1024-pixel screen
    // Counts completions in a record file beside the set, in a fresh folder
    // under /tmp; otherwise the records are not written, as from a CD-ROM.
    bool keepRecords = false;
};

// The drill without its windows: the program-wide state, the command panel
// and the practice flow, wired to recording fakes of the windows, with a
// problem set read from lines. Buttons are pressed by their captions.
struct PracticeHarness {
    // `utf8Lines` is a problem-set text, "<<title", problem lines, ">>".
    explicit PracticeHarness(const std::vector<std::string>& utf8Lines, HarnessOptions options = {});

    // The lines of a set of one unit titled "単元1" holding these problems.
    static std::vector<std::string> oneUnit(std::initializer_list<const char*> problems);

    // startProblem with positions reset, as at start-up.
    bool start();

    // One button by its caption (UTF-8): "①".."(32)", "×" "÷" "＋" "－" "代入"
    // "整理" "移項" "かっこ", the pad's "0".."9" (or "０".."９"), "．" or ".",
    // "分の", "CL" and "-" (its － key), and "実行", "訂正", "次の問題", "単元変更".
    void press(std::string_view caption);
    // Presses every button of a command as written: "①×-3", "③÷3", "①×3分の2".
    void compose(std::string_view command);
    // compose, then 実行; answers the messages shown meanwhile.
    std::vector<std::string> run(std::string_view command);

    // A character typed in the main window, or on the page.
    bool key(char c) { return panel.keyPress(c, true); }
    bool pageKey(char c) { return panel.keyPress(c, false); }
    // A key code in the main window or on the page; Enter and Escape press
    // the button they answer.
    CommandPanel::KeyAction keyDown(int code, bool shift = false);
    CommandPanel::KeyAction pageKeyDown(int code, bool shift = false);
    // A whole key press in the main window: its code and the text it typed.
    CommandPanel::KeyAction keyStroke(int code, bool shift, std::string_view text);

    void execute() { flow.btnJikkouClick(); }
    void correct() { panel.resetPanel(); }

    // The messages and questions shown since the last call, then forgotten.
    std::vector<std::string> takeShown();

    std::string equation(int n) const; // as tokensText writes it
    std::string sentence(int n) const; // its step sentence, UTF-8
    std::string message() const { return pageView.message(); }
    std::string operand() const { return panelView.operandText(); }

    // The drawn frame and highlightedEquation say the same.
    bool frameAgrees() const;

    // Completions counted in the record file for a problem.
    int recordCount(int unit, int problem) const;

    ScriptedDialogs dialogs;
    Algebra algebra;
    CommandState command;
    Answers answers;
    PageState page;
    ProblemSet problems;
    bool setRead = false;
    TempFolder folder;
    PracticeRecords records;
    FakePanelView panelView;
    FakePageView pageView{algebra, page};
    FakePracticeView view;
    ScriptedDrillDialogs drillDialogs{problems};
    CommandPanel panel{algebra, dialogs, command, answers, page, pageView, panelView};
    PracticeFlow flow{{algebra, dialogs, command, answers, page, problems, records, pageView, panelView, view,
                       drillDialogs, panel}};
};

} // namespace tavolini
