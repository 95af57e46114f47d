// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "desktop/drawing/qimage_canvas.h"

#include <QWidget>

namespace tavolini {

// An image control: a widget that owns a picture and its drawing surface.
// The page's rows are images named "Image" + the equation's number.
class RowImage final : public QWidget {
    Q_OBJECT

  public:
    RowImage(const QString& name, QSize size, QSize pictureSize, QWidget* parent);

    // The surface to draw on; the widget repaints itself afterwards.
    QImageCanvas& canvas();
    const QImage& picture() const { return m_canvas.image(); }

    // Stretches the picture over the control, as the brace images do.
    void setStretch(bool stretch) { m_stretch = stretch; }

    // What the control shows: the whole picture when it is stretched, else
    // the part of it from the top left as large as the control.
    QImage shownPicture() const;

  signals:
    void mouseMoved();
    void mouseReleased(Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QImageCanvas m_canvas;
    bool m_stretch = false;
};

} // namespace tavolini
