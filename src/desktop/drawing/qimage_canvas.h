// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/canvas.h"
#include "presentation/equation_layout.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <memory>
#include <optional>

namespace tavolini {

// The device pixel ratio of the screen: pictures shown on it are drawn with
// that many device pixels to a pixel of the layout.
qreal screenPixelRatio();

// The Qt font of a canvas font: the family we ship for the face the design
// names, sized in pixels so that drawings do not depend on the display's
// resolution.
QFont qtFont(const CanvasFont& font);

// The text as the canvases show it, and how far below its top they put its
// baseline: the screen and paper place text alike.
QString canvasText(const CanvasFont& font, std::string_view text);
int canvasAscent(const QFont& font);

// Measures text as QImageCanvas draws it, to the right edge of its ink
// (italics lean past their advance).
class QtTextMeasure final : public TextMeasure {
  public:
    int textWidth(const CanvasFont& font, std::string_view text) const override;

  private:
    // The last font asked for: a row's equation is measured in one font.
    mutable std::optional<CanvasFont> m_font;
    mutable std::optional<QFontMetrics> m_metrics;
};

// A canvas that paints a QImage. The image control has its laid-out size;
// its picture is the blank picture's size, as every clearing gives it a
// fresh white picture. The layout is in pixels of the screen's layout; the
// picture holds as many device pixels as the screen shows there (its device
// pixel ratio), so that it is as sharp as the rest of the window.
class QImageCanvas final : public Canvas {
  public:
    QImageCanvas(QSize controlSize, QSize pictureSize, qreal devicePixelRatio = 1);
    ~QImageCanvas() override;
    QImageCanvas(const QImageCanvas&) = delete;
    QImageCanvas& operator=(const QImageCanvas&) = delete;

    // The picture with everything drawn so far.
    const QImage& image() const;
    void setControlSize(QSize size) { resize(size.width(), size.height()); }

    // Puts a picture of our own (the brace bitmaps) in place of the white one.
    void setPicture(const QImage& picture);
    qreal devicePixelRatio() const { return m_devicePixelRatio; }
    // False while the canvas is white with no picture made yet.
    bool hasPicture() const { return !m_image.isNull(); }

    void textOut(int x, int y, std::string_view text) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void fillRect(int x1, int y1, int x2, int y2, Colour colour) override;
    void clear() override;

  private:
    QPainter& painter();
    QImage& picture() const;
    void finishPainting() const;
    void resolveFont();
    void copyRect(int x1, int y1, int x2, int y2); // in the pen
    void plot(int x, int y);

    QSize m_pictureSize;
    qreal m_devicePixelRatio = 1;
    mutable QImage m_image;                   // null until it is looked at or drawn on
    std::optional<CanvasFont> m_resolvedFont; // what m_qtFont and m_ascent are for
    QFont m_qtFont;
    int m_ascent = 0;
    mutable std::unique_ptr<QPainter> m_painter; // open while texts and fills follow each other
};

} // namespace tavolini
