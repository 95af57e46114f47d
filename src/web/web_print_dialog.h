// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"
#include "files/problem_set.h"
#include "presentation/print_job.h"
#include "web/web_page.h"

namespace tavolini::web {

// 印刷 in the document (frmPrintS): the size of the printout and its left
// margin with a preview line; 印刷開始 prints the problem and its steps,
// 全画面印刷 the page window as it shows, each as sheets of SVG that the
// page hands to the browser's print. The browser's print dialog chooses the
// printer. Made once, so that it keeps its settings.
class WebPrintDialog {
  public:
    WebPrintDialog(ProblemSet& set, Dialogs& dialogs, int screenWidth)
        : m_set(set), m_dialogs(dialogs), m_screenWidth(screenWidth) {}

    // Modal: returns when the pupil closes it.
    void showPrint(WebPage& page);

  private:
    void createControls();
    // The settings as the number boxes hold them, each brought into its
    // range; a box that holds no number keeps its setting.
    void readSettings();
    void refreshPreview();
    void btnStartClick(WebPage& page);
    void btnPrintAllClick();

    ProblemSet& m_set;
    Dialogs& m_dialogs;
    int m_screenWidth;
    PrintSettings m_settings;
};

} // namespace tavolini::web
