// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/drawing/page_bitmaps.h"

#include "core/cp932.h"
#include "desktop/drawing/qimage_canvas.h"
#include "desktop/drawing/qt_forms.h"
#include "presentation/brace.h"
#include "presentation/canvas.h"

#include <QPainter>
#include <QPainterPath>

namespace tavolini {

void drawBrace(QPainter& painter, QRectF box, QColor ink) {
    const BraceStroke stroke = braceStroke(box.left(), box.top(), box.width(), box.height());
    const auto at = [](CurvePoint p) { return QPointF(p.x, p.y); };
    QPainterPath path(at(stroke.start));
    for (const auto& piece : stroke.pieces)
        path.cubicTo(at(piece[0]), at(piece[1]), at(piece[2]));

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, stroke.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
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
    QImage image = screenPicture(QSize(BraceImage.width, BraceImage.height), paper);
    QPainter painter(&image);
    drawBrace(painter, QRectF(qtRect(BraceCurve)), ink);
    return image;
}

QImage answerBraceBitmap() {
    const QSize size(AnswerBraceImage.width, AnswerBraceImage.height);
    QImageCanvas label(size, size, screenPixelRatio());
    drawAnswerBraceLabel(label, QtTextMeasure());
    QImage image = label.image();
    QPainter painter(&image);
    drawBrace(painter, QRectF(qtRect(AnswerBraceCurve)), Qt::black);
    return image;
}

} // namespace tavolini
