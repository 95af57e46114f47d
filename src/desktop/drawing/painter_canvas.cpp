// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/drawing/painter_canvas.h"

#include "desktop/drawing/qimage_canvas.h"
#include "desktop/drawing/qt_forms.h"

#include <QPainter>

namespace tavolini {
void PainterCanvas::placeOn(const QRect& onDevice, QSize layoutSize) {
    resize(layoutSize.width(), layoutSize.height());
    m_transform = QTransform::fromTranslate(onDevice.left(), onDevice.top());
    if (!layoutSize.isEmpty())
        m_transform.scale(static_cast<qreal>(onDevice.width()) / layoutSize.width(),
                          static_cast<qreal>(onDevice.height()) / layoutSize.height());
    clear();
}

void PainterCanvas::prepare() {
    m_painter.setTransform(m_transform);
    m_painter.setClipRect(QRect(0, 0, width(), height()));
    // A one-pixel pen of the layout, its ends square with the pixels it
    // covers. Not-xor only ever draws an outline that a second call takes
    // away: paper has no outlines, so both modes draw in the pen.
    m_painter.setPen(QPen(qtColour(pen()), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    m_painter.setBrush(Qt::NoBrush);
}

void PainterCanvas::textOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    prepare();
    const QFont shown = qtFont(font());
    m_painter.setFont(shown);
    m_painter.setPen(qtColour(font().colour));
    // The point is the text's top left corner; Qt draws from the baseline.
    m_painter.drawText(QPointF(x, y + canvasAscent(shown)), canvasText(font(), text));
}

// The pixels from (x1, y1) up to (x2, y2): a line through their middles.
void PainterCanvas::line(int x1, int y1, int x2, int y2) {
    prepare();
    if (y1 == y2)
        m_painter.drawLine(QLineF(x1, y1 + 0.5, x2, y2 + 0.5));
    else if (x1 == x2)
        m_painter.drawLine(QLineF(x1 + 0.5, y1, x2 + 0.5, y2));
    else
        m_painter.drawLine(QLineF(x1 + 0.5, y1 + 0.5, x2 + 0.5, y2 + 0.5));
}

void PainterCanvas::rectangle(int x1, int y1, int x2, int y2) {
    prepare();
    m_painter.drawRect(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1));
}

void PainterCanvas::fillRect(int x1, int y1, int x2, int y2, Colour colour) {
    prepare();
    m_painter.fillRect(QRectF(x1, y1, x2 - x1, y2 - y1), qtColour(colour));
}

void PainterCanvas::clear() {
    freshSurface();
}

} // namespace tavolini
