// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/drawing/printer_target.h"

#include "desktop/drawing/page_bitmaps.h"
#include "desktop/drawing/qt_forms.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/text_codec.h"

#include <QPagedPaintDevice>
#include <QWidget>

namespace tavolini {
PrinterTarget::PrinterTarget(QPagedPaintDevice& device, QWidget& pageWindow)
    : m_device(device), m_pageWindow(pageWindow) {
    m_painter.begin(&m_device);
}

int PrinterTarget::pageWidth() const {
    return m_device.width();
}
int PrinterTarget::pageHeight() const {
    return m_device.height();
}
int PrinterTarget::resolution() const {
    return m_device.logicalDpiY();
}

bool PrinterTarget::newPage() {
    return m_device.newPage();
}

Canvas& PrinterTarget::canvas(const PageRect& onPage, int layoutWidth, int layoutHeight) {
    m_canvas.placeOn(qtRect(onPage), QSize(layoutWidth, layoutHeight));
    return m_canvas;
}

void PrinterTarget::drawBrace(const PageRect& onPage) {
    m_painter.resetTransform();
    m_painter.setClipping(false);
    tavolini::drawBrace(m_painter, QRectF(qtRect(onPage)), Qt::black);
}

void PrinterTarget::drawText(int x, int y, int points, std::string_view text) {
    m_painter.resetTransform();
    m_painter.setClipping(false);
    QFont font(shippedFamily(Face::PGothic));
    font.setPointSize(points); // of the paper
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    const QRect area(x, y, std::max(1, pageWidth() - x), std::max(1, pageHeight() - y));
    m_painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, fromCp932(text));
}

void PrinterTarget::drawPageWindow(const PageRect& onPage) {
    m_painter.resetTransform();
    m_painter.setClipping(false);
    m_painter.drawPixmap(qtRect(onPage), m_pageWindow.grab());
}

} // namespace tavolini
