// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "desktop/drawing/painter_canvas.h"
#include "desktop/drawing/qimage_canvas.h"
#include "presentation/print_job.h"

#include <QPainter>

class QPagedPaintDevice;
class QWidget;

namespace tavolini {

// A print job on a printer or into a PDF: rows drawn through the layout as
// text and lines, and the page window, for a picture of the whole page, as it
// shows.
class PrinterTarget final : public PrintTarget {
  public:
    PrinterTarget(QPagedPaintDevice& device, QWidget& pageWindow);

    // Whether the device took the job.
    bool begun() const { return m_painter.isActive(); }
    // Ends the job; false when the device failed.
    bool finish() { return m_painter.end(); }

    int pageWidth() const override;
    int pageHeight() const override;
    int resolution() const override;
    bool newPage() override;
    Canvas& canvas(const PageRect& onPage, int layoutWidth, int layoutHeight) override;
    const TextMeasure& measure() const override { return m_measure; }
    void drawBrace(const PageRect& onPage) override;
    void drawText(int x, int y, int points, std::string_view text) override;
    void drawPageWindow(const PageRect& onPage) override;

  private:
    QPagedPaintDevice& m_device;
    QWidget& m_pageWindow;
    QPainter m_painter;
    PainterCanvas m_canvas{m_painter};
    QtTextMeasure m_measure;
};

} // namespace tavolini
