// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/drill_data.h"
#include "practice/drill_session.h"

#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace tavolini {

class TfrmPage;

// The main window: the left panel with every control of the drill, the menu
// bar, and the page window beside the panel, made from the panel's tables.
// Clicks, menu choices and keys go to the drill session; it shows what the
// session asks.
class TfrmMain final : public QMainWindow, public DrillFrontEnd {
    Q_OBJECT

  public:
    TfrmMain(DrillData& state, Dialogs& dialogs, DrillDialogs& drillDialogs, QSize screen,
             QWidget* parent = nullptr);
    ~TfrmMain() override;

    // What opens one of the windows the session asks for; main wires them in.
    void setOpener(FrontEndWindow window, std::function<void()> opener);

    TfrmPage& page() { return *m_page; }
    DrillSession& session() { return *m_session; }

    // DrillFrontEnd
    void enableControl(const std::string& name, bool enabled) override;
    void showControl(const std::string& name, bool visible) override;
    void setControlText(const std::string& name, std::string_view text) override;
    void focusControl(const std::string& name) override;
    void blink(bool on) override;
    void open(FrontEndWindow window) override;
    void closeWindow() override;

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
    QPushButton* addButton(QWidget* parent, const std::string& name, const QString& caption, QRect rect);
    QGroupBox* addGroup(QWidget* parent, const char* name, QRect rect);
    void paintGroup(QGroupBox* group, bool enabled);

    const PageState& m_pageState;
    QScrollArea* m_panelArea = nullptr;
    QWidget* m_panel = nullptr;
    QPushButton* m_btnNext = nullptr;
    QLabel* m_pageCaption = nullptr;
    TfrmPage* m_page = nullptr;
    QTimer m_timBlink;
    bool m_blinkPhase = false;
    QPixmap m_imgNextQ;
    QPixmap m_imgNextR;
    std::array<std::function<void()>, 6> m_openers;
    std::unique_ptr<DrillSession> m_session;
};

} // namespace tavolini
