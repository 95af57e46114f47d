// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/print_job.h"

#include <QPainter>

class QPrinter;
class QWidget;

namespace tavolini {

// A print job on a printer (or into a PDF file): the images are the page
// window's controls by name, or the page window itself by its own name,
// drawn straight from memory.
class PrinterTarget final : public PrintTarget {
  public:
    PrinterTarget(QPrinter& printer, QWidget& page);

    // Whether the printer took the job.
    bool begun() const { return m_painter.isActive(); }
    // Ends the job; false when the printer failed.
    bool finish();

    int pageWidth() const override;
    int pageHeight() const override;
    int resolution() const override;
    bool newPage() override;
    void drawImage(const PrintImage& image, const PageRect& onPage) override;
    void drawText(int x, int y, int points, std::string_view text) override;

  private:
    QPrinter& m_printer;
    QWidget& m_page;
    QPainter m_painter;
};

} // namespace tavolini
