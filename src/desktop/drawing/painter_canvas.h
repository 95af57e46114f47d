// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/canvas.h"

#include <QRect>
#include <QSize>
#include <QTransform>

class QPainter;

namespace tavolini {

// A canvas over a painter that is already open on a printer (or any device):
// a stretch of the layout drawn into a rectangle of the device as text and
// lines, so that a PDF keeps its text and every size stays sharp.
class PainterCanvas final : public Canvas {
  public:
    explicit PainterCanvas(QPainter& painter) : Canvas(0, 0), m_painter(painter) {}

    // What follows draws `layoutSize` pixels of the layout into `onDevice`.
    void placeOn(const QRect& onDevice, QSize layoutSize);

    void textOut(int x, int y, std::string_view text) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void fillRect(int x1, int y1, int x2, int y2, Colour colour) override;
    // Paper is white already: a fresh surface only.
    void clear() override;

  private:
    // The painter set for the layout's pixels, clipped to the rectangle.
    void prepare();

    QPainter& m_painter;
    QTransform m_transform;
};

} // namespace tavolini
