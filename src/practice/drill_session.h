// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "files/problem_set.h"
#include "practice/command_panel.h"
#include "practice/drill_data.h"
#include "practice/drill_dialogs.h"
#include "practice/panel_view.h"
#include "practice/practice_flow.h"
#include "practice/practice_view.h"
#include "practice/problem_set_menu.h"
#include "presentation/page_events.h"
#include "presentation/page_view.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace tavolini {

// The windows only a front end has; the web edition lacks some of them and
// ignores the request.
enum class FrontEndWindow { HelpContents, OnePoint, About, Records, Stack, Print };

// What the drill session asks of a front end's window: the panel's controls
// and menu entries by their names, and what only the front end can do.
class DrillFrontEnd {
  public:
    virtual ~DrillFrontEnd() = default;

    virtual void enableControl(const std::string& name, bool enabled) = 0;
    virtual void showControl(const std::string& name, bool visible) = 0;
    // The operand display pnlNumber and the page caption lblPageCaption (code page 932).
    virtual void setControlText(const std::string& name, std::string_view text) = 0;
    virtual void focusControl(const std::string& name) = 0;
    // The next-problem button blinks while `on`.
    virtual void blink(bool on) = 0;
    virtual void open(FrontEndWindow window) = 0;
    // The window closes, asking windowClosing first where it can.
    virtual void closeWindow() = 0;
};

// Where a key was typed: on the main window a key with no command begun is
// used up, on the page it is not.
enum class KeyPlace { Window, Page };

// One drill as both front ends run it: the command panel, the practice flow
// and the menu flows, the start of practice, which controls and menu entries
// are available, the pupil's clicks, menu choices and keys by name, and the
// page's events. The front end makes the controls from the panel's tables,
// hands every click, key and menu choice here, and shows what it is asked.
class DrillSession final : public PanelView, public PracticeView, public PageEvents, public ProgramEnd {
  public:
    // `makePage` makes the front end's page, which hands its events here.
    DrillSession(DrillData& data, Dialogs& dialogs, DrillDialogs& drillDialogs, DrillFrontEnd& frontEnd,
                 const std::function<PageView&(PageEvents&)>& makePage);

    // The program's start with the set at `path`; false when the program ends.
    bool start(const std::string& path);
    // A set named on the command line, opened after the start as 開く opens.
    void openAtStart(const std::string& path);
    // The problem the pupil is on, and its steps as text (stepLogText), to
    // come back to later.
    int currentUnit() const { return m_data.problems.currentUnit; }
    int currentProblem() const;
    std::string stepLogText() const;
    // Back to that problem with its steps done again, without a dialog; a
    // position or log that does not fit the set in use starts the problem
    // fresh, or leaves the problem on the page as it is. True when resumed.
    bool resume(int unit, int problem, std::string_view stepLogText);
    // The problem solved by the last action, for the front end to hand on.
    std::optional<Completion> takeCompletion() { return m_practice.takeCompletion(); }
    // The window is about to close: false to keep it open (unsaved edits);
    // otherwise the completions held back are written.
    bool windowClosing();

    // The pupil's actions. A control or entry that is disabled, hidden or
    // unknown does nothing, as a click on a disabled control.
    void click(std::string_view name);
    void menu(std::string_view name);
    // One key press: its code (VirtualKey), Shift, and the text it typed
    // (code page 932). F1 and F2 choose their menu entries wherever they are
    // typed. True when the drill used it.
    bool key(int keyCode, bool shift, std::string_view text, KeyPlace where);

    bool isAvailable(std::string_view name) const;
    bool ended() const { return m_ended; }
    // The editor 問題を編集する shows; without one the entry does nothing.
    void setEditor(ProblemEditor* editor) { m_menu.setEditor(editor); }

    // PanelView
    void enableEquationButton(int n, bool enabled) override;
    void hideEquationButton(int n) override;
    void enableExecute(bool enabled) override;
    bool executeEnabled() const override;
    void enableNext(bool enabled) override;
    bool nextEnabled() const override;
    void enableNumberPad(bool enabled) override;
    void showOperand(std::string_view text) override;
    void moveFocus() override;

    // PracticeView
    void startBlink() override;
    void stopBlink() override;
    void setPageCaption(std::string_view caption) override;
    void scrollQuarterPage() override;

    // PageEvents
    void chooseEquation(int n) override;
    void pageKey(int keyCode, bool shift, std::string_view text) override;
    bool nextProblemBlinking() const override { return m_blinking; }

    // ProgramEnd
    void endProgram() override;

  private:
    struct Control {
        bool enabled = true;
        bool visible = true;
    };
    struct Command {
        const char* name;
        void (DrillSession::*run)();
    };
    static const Command Commands[];

    void setEnabled(const std::string& name, bool enabled);
    // Moving between problems needs a set that was read.
    void setProblemSetAvailable(bool available);
    void run(std::string_view name);
    void afterMenuFlow();

    void execute() { m_practice.btnJikkouClick(); }
    void correct() { m_panel.resetPanel(); }
    void next() { m_practice.btnNextClick(); }
    void changeUnit() { m_practice.changeUnit(); }
    void scrollDown() { m_page.scrollDown(); }
    void scrollToTop() { m_page.scrollToTop(); }
    void openSet();
    void save() { m_menu.saveProblemSet(); }
    void edit();
    void hint() {
        m_practice.hintAsked();
        m_panel.showHint();
    }
    void exit() { m_frontEnd.closeWindow(); }
    template <FrontEndWindow window> void open() { m_frontEnd.open(window); }

    DrillData& m_data;
    Dialogs& m_dialogs;
    DrillFrontEnd& m_frontEnd;
    PageView& m_page;
    CommandPanel m_panel;
    PracticeFlow m_practice;
    ProblemSetMenu m_menu;
    std::map<std::string, Control, std::less<>> m_controls;
    bool m_blinking = false;
    bool m_ended = false;
};

} // namespace tavolini
