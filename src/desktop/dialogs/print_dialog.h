// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/print_job.h"

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>

class QLineEdit;
class QSpinBox;

namespace tavolini {

struct Algebra;
class Dialogs;
struct ProblemSet;
class TfrmPage;

// 印刷: the size of the printout and its left margin with a preview line;
// 印刷開始 prints the problem and its steps, 全画面印刷 the page window as it is
// shown. Without a printer both write a PDF file instead. Made once and
// reused, so that it keeps its settings.
class TfrmPrintS final : public QDialog {
    Q_OBJECT

  public:
    TfrmPrintS(TfrmPage& page, ProblemSet& set, Algebra& algebra, Dialogs& dialogs, int screenWidth,
               QWidget* parent = nullptr);

    void showPrint();
    // Centred on the screen, the preview line refreshed.
    void prepareShowing();

    void btnStartClick();
    void btnPrintAllClick();
    void btnSetteiClick();

    // Always into a PDF file, whatever printers there are (the scenario driver).
    void printIntoPdfOnly() { m_pdfOnly = true; }

    PrintSettings settings() const;
    StepPrintout stepPrintout() const;

  private:
    void createControls();
    void refreshPreview();
    using Job = std::function<bool(PrintTarget&)>;
    QPrinter& printer();
    void print(const Job& job);
    // Into a PDF file chosen with the save dialog.
    void printIntoPdf(const Job& job);
    // False when the job or the device failed.
    bool printOn(QPagedPaintDevice& device, const Job& job);

    TfrmPage& m_page;
    ProblemSet& m_set;
    Algebra& m_algebra;
    Dialogs& m_dialogs;
    int m_screenWidth;
    bool m_pdfOnly = false;
    // Made at the first print: a printer asks the print system for its
    // settings, which would slow the program's start.
    std::unique_ptr<QPrinter> m_printer;
    QLineEdit* m_edtSample = nullptr;
    QSpinBox* m_updLMargin = nullptr;
    QSpinBox* m_updSize = nullptr;
};

} // namespace tavolini
