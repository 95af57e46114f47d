// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/qt/printer_target.h"

#include "platform/fonts.h"
#include "platform/text_codec.h"
#include "presentation/qt/row_image.h"

#include <QPrinter>
#include <QWidget>

namespace tavolini {

PrinterTarget::PrinterTarget(QPrinter& printer, QWidget& page) : m_printer(printer), m_page(page) {
    m_painter.begin(&m_printer);
}

bool PrinterTarget::finish() {
    const bool ended = m_painter.end();
    return ended && m_printer.printerState() != QPrinter::Error &&
           m_printer.printerState() != QPrinter::Aborted;
}

int PrinterTarget::pageWidth() const {
    return m_printer.width();
}
int PrinterTarget::pageHeight() const {
    return m_printer.height();
}
int PrinterTarget::resolution() const {
    return m_printer.resolution();
}

bool PrinterTarget::newPage() {
    return m_printer.newPage();
}

void PrinterTarget::drawImage(const PrintImage& image, const PageRect& onPage) {
    const QRect target(onPage.left, onPage.top, onPage.width, onPage.height);
    const QString name = QString::fromStdString(image.name);
    if (name == m_page.objectName()) {
        m_painter.drawPixmap(target, m_page.grab());
    } else if (const auto* control = m_page.findChild<const RowImage*>(name)) {
        m_painter.drawImage(target, control->shownPicture());
    }
}

void PrinterTarget::drawText(int x, int y, int points, std::string_view text) {
    QFont font(shippedFamily(Face::PGothic));
    font.setPointSize(points); // of the printer's resolution
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    const QRect area(x, y, std::max(1, pageWidth() - x), std::max(1, pageHeight() - y));
    m_painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, fromCp932(text));
}

} // namespace tavolini
