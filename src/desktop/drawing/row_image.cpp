// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/drawing/row_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavolini {

RowImage::RowImage(const QString& name, QSize size, QSize pictureSize, QWidget* parent)
    : QWidget(parent), m_canvas(size, pictureSize, screenPixelRatio()) {
    setObjectName(name);
    resize(size);
    setMouseTracking(true);
}

QImageCanvas& RowImage::canvas() {
    update();
    return m_canvas;
}

QImage RowImage::shownPicture() const {
    if (m_stretch) return m_canvas.image();
    const QImage& picture = m_canvas.image();
    const qreal ratio = picture.devicePixelRatio();
    return picture.copy(QRect(QPoint(0, 0), size() * ratio));
}

void RowImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_canvas.hasPicture()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    if (m_stretch)
        painter.drawImage(rect(), m_canvas.image());
    else
        painter.drawImage(QPoint(0, 0), m_canvas.image());
}

void RowImage::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    event->accept();
}

void RowImage::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button());
    event->accept();
}

void RowImage::resizeEvent(QResizeEvent*) {
    m_canvas.setControlSize(size());
}

} // namespace tavolini
