// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/qt/page_bitmaps.h"

#include "core/cp932.h"
#include "presentation/canvas.h"
#include "presentation/qt/qimage_canvas.h"

#include <QPainter>
#include <QPainterPath>

namespace tavolini {

void drawBrace(QPainter& painter, QRectF box, QColor ink) {
    const qreal right = box.right();
    const qreal left = box.left();
    const qreal middle = (left + right) / 2;
    const qreal top = box.top();
    const qreal bottom = box.bottom();
    const qreal centre = (top + bottom) / 2;
    const qreal bend = (right - left) / 2;

    QPainterPath path(QPointF(right, top));
    path.cubicTo(QPointF(middle, top), QPointF(middle, top + bend), QPointF(middle, top + 2 * bend));
    path.lineTo(QPointF(middle, centre - 2 * bend));
    path.cubicTo(QPointF(middle, centre - bend), QPointF(middle, centre), QPointF(left, centre));
    path.cubicTo(QPointF(middle, centre), QPointF(middle, centre + bend), QPointF(middle, centre + 2 * bend));
    path.lineTo(QPointF(middle, bottom - 2 * bend));
    path.cubicTo(QPointF(middle, bottom - bend), QPointF(middle, bottom), QPointF(right, bottom));

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, box.width() / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

namespace {

// A picture of the layout's size at the screen's device pixel ratio.
QImage screenPicture(QSize size, QColor paper) {
    const qreal ratio = screenPixelRatio();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(paper);
    return image;
}

} // namespace

QImage braceBitmap(QColor ink, QColor paper) {
    QImage image = screenPicture(QSize(25, 100), paper);
    QPainter painter(&image);
    drawBrace(painter, QRectF(6, 4, 14, 92), ink);
    return image;
}

QImage answerBraceBitmap() {
    QImage image = screenPicture(QSize(70, 100), Qt::white);
    QPainter painter(&image);
    CanvasFont font;
    font.face = cp932("ＭＳ ゴシック");
    font.bold = true;
    font.size = 12;
    painter.setFont(qtFont(font));
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, 50, 100), Qt::AlignCenter, QStringLiteral(u"[答]"));
    drawBrace(painter, QRectF(52, 4, 14, 92), Qt::black);
    return image;
}

} // namespace tavolini
