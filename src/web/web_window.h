// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/command_panel.h"
#include "practice/drill_data.h"
#include "practice/practice_flow.h"
#include "practice/problem_set_menu.h"
#include "web/web_dialogs.h"
#include "web/web_page.h"

#include <memory>

namespace tavolini::web {

// The drill's window in the document: the command panel on the left, the
// page's caption and the page beside it. The panel's controls are made from
// the same tables as the desktop window's and carry the same names.
class WebWindow final : public PanelView, public PracticeView, public PageEvents, public ProgramEnd {
  public:
    WebWindow(DrillData& state, int screenWidth);

    // The first problem of the set at `path`; false when the program has ended.
    bool startPractice(const std::string& path);

    // The pupil's actions, by the names of the controls and menu entries.
    void click(const std::string& name);
    void menu(const std::string& name);
    bool key(const std::string& code, const std::string& text, bool shift);
    WebPage& page() { return *m_page; }
    bool ended() const { return m_ended; }

    void enableEquationButton(int n, bool enabled) override;
    void hideEquationButton(int n) override;
    void enableExecute(bool enabled) override;
    bool executeEnabled() const override;
    void enableNext(bool enabled) override;
    bool nextEnabled() const override;
    void enableNumberPad(bool enabled) override;
    void showOperand(std::string_view text) override;
    void moveFocus() override;

    void startBlink() override;
    void stopBlink() override;
    void setPageCaption(std::string_view caption) override;
    void scrollQuarterPage() override;

    void chooseEquation(int n) override;
    void pageKey(int keyCode, bool shift, std::string_view text) override;
    bool nextProblemBlinking() const override { return m_blinking; }

    void endProgram() override;

  private:
    void createPanel();
    void setProblemSetAvailable(bool available);

    DrillData& m_state;
    WebDialogs m_dialogs;
    std::unique_ptr<WebPage> m_page;
    std::unique_ptr<CommandPanel> m_commandPanel;
    std::unique_ptr<PracticeFlow> m_practice;
    std::unique_ptr<ProblemSetMenu> m_menu;
    bool m_blinking = false;
    bool m_ended = false;
};

} // namespace tavolini::web
