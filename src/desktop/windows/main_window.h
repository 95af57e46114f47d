// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "files/practice_records.h"
#include "files/problem_set.h"
#include "practice/command_panel.h"
#include "practice/drill_data.h"
#include "practice/drill_dialogs.h"
#include "practice/judge.h"
#include "practice/panel_layout.h"
#include "practice/panel_view.h"
#include "practice/practice_flow.h"
#include "practice/practice_view.h"
#include "practice/problem_set_menu.h"
#include "presentation/equation_layout.h"
#include "presentation/page_events.h"
#include "presentation/page_state.h"

#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace tavolini {

class TfrmPage;

// What the view menu opens; main wires in the windows.
struct LookBackActions {
    std::function<void()> showRecords;
    std::function<void()> showStack;
};

// What the help menu and the about box open; main wires in the windows.
struct HelpActions {
    std::function<void()> showContents;
    std::function<void()> showOnePoint;
    std::function<void()> showAbout;
};

// The main window: the left panel with every control of the drill, the menu
// bar, and the page window beside the panel. It turns clicks and keys into
// calls of the command panel and the practice flow, and draws what they say.
class TfrmMain final : public QMainWindow,
                       public PanelView,
                       public PracticeView,
                       public PageEvents,
                       public ProgramEnd {
    Q_OBJECT

  public:
    TfrmMain(DrillData& state, Dialogs& dialogs, DrillDialogs& drillDialogs, QSize screen,
             QWidget* parent = nullptr);
    ~TfrmMain() override;

    void setHelpActions(HelpActions actions) { m_help = std::move(actions); }
    void setLookBackActions(LookBackActions actions) { m_lookBack = std::move(actions); }
    // What 印刷 and 印刷する open; main wires in the print dialog.
    void setPrintAction(std::function<void()> action) { m_print = std::move(action); }
    // The editor 問題を編集する shows; main attaches the real one.
    void setProblemEditor(ProblemEditor* editor) { m_menu->setEditor(editor); }

    // The show step: reads the problem set at `path` and starts its first
    // problem. False when the program is to end (the file could not be read).
    bool startPractice(const std::string& path);
    // A set named on the command line, opened after the start as 開く opens.
    void openAtStart(const std::string& path);

    TfrmPage& page() { return *m_page; }
    CommandPanel& commandPanel() { return *m_commandPanel; }
    PracticeFlow& practice() { return *m_practice; }

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
    bool nextProblemBlinking() const override;

    // ProgramEnd
    void endProgram() override;

    void btnJikkouClick();
    void btnTeiseiClick();
    void btnNextClick();
    void changeUnit();
    void timBlinkTimer();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Asks about unsaved edits of the problem set first.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void createPanel();
    void layOut(QWidget* central);
    void createOperationGroup(QWidget* panel);
    void createNumberPad(QWidget* panel);
    void createMenus();
    QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, QRect rect);
    QPushButton* addButton(QWidget* parent, const PanelButton& button);
    bool handleKey(int keyCode, bool shift, std::string_view text, bool swallowIdle);
    void setProblemSetAvailable(bool available);
    void showPrint();
    // After a menu flow: moving between problems needs a set that was read.
    void runMenuFlow(void (ProblemSetMenu::*flow)());
    void paintGroup(QGroupBox* group, bool enabled);

    DrillData& m_state;
    Dialogs& m_dialogs;
    QScrollArea* m_panelArea = nullptr;
    QWidget* m_panel = nullptr;
    std::array<QPushButton*, 19> m_equationButtons{}; // 1 to 18
    QGroupBox* m_grbSousa = nullptr;
    QGroupBox* m_grbNumber = nullptr;
    QLabel* m_pnlNumber = nullptr;
    QPushButton* m_btnJikkou = nullptr;
    QPushButton* m_btnNext = nullptr;
    QPushButton* m_btnChangeTangen = nullptr;
    QAction* m_mnuNext = nullptr;
    QAction* m_mnuChange = nullptr;
    QLabel* m_pageCaption = nullptr;
    TfrmPage* m_page = nullptr;
    QTimer m_timBlink;
    bool m_blinkPhase = false;
    QPixmap m_imgNextQ;
    QPixmap m_imgNextR;
    HelpActions m_help;
    LookBackActions m_lookBack;
    std::function<void()> m_print;
    std::unique_ptr<CommandPanel> m_commandPanel;
    std::unique_ptr<PracticeFlow> m_practice;
    std::unique_ptr<ProblemSetMenu> m_menu;
};

} // namespace tavolini
