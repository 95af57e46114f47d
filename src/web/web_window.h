// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/drill_data.h"
#include "practice/drill_session.h"
#include "practice/window_layout.h"
#include "web/web_dialogs.h"
#include "web/web_editor.h"
#include "web/web_page.h"
#include "web/web_print_dialog.h"

#include <memory>

namespace tavolini::web {

// The drill's window in the document: the menu bar, the command panel on the
// left, the page's caption and the page beside it. Its controls are made from
// the same tables as the desktop window's and carry the same names; the
// page's script hands the pupil's clicks, menu choices and keys to the session.
class WebWindow final : public DrillFrontEnd {
  public:
    WebWindow(DrillData& state, int screenWidth);

    DrillSession& session() { return *m_session; }
    WebPage& page() { return *m_page; }
    WebDialogs& dialogs() { return m_dialogs; }

    // The window laid out anew for the screen as it is now; the pupil's work
    // and an open dialog stay. Safe while the drill waits for a dialog.
    void relayout(const Viewport& viewport);

    void enableControl(const std::string& name, bool enabled) override;
    void showControl(const std::string& name, bool visible) override;
    void setControlText(const std::string& name, std::string_view text) override;
    void focusControl(const std::string& name) override;
    void blink(bool on) override;
    void open(FrontEndWindow window) override;
    void closeWindow() override;

  private:
    void createMenus();
    // Makes the panel's controls, or puts them where the layout says.
    void layOutPanel(bool create);

    DrillData& m_state;
    WindowLayout m_layout;
    WebDialogs m_dialogs;
    WebPrintDialog m_print;
    WebEditor m_editor;
    std::unique_ptr<WebPage> m_page;
    std::unique_ptr<DrillSession> m_session;
};

} // namespace tavolini::web
