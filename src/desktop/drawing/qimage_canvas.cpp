// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/drawing/qimage_canvas.h"

#include "desktop/platform/fonts.h"
#include "desktop/platform/text_codec.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace tavolini {
namespace {

constexpr QImage::Format PictureFormat = QImage::Format_RGB32;

QRgb rgb(Colour c) {
    return qRgb(c.r, c.g, c.b);
}

// Equations are plain ASCII, which reads the same in code page 932 except
// for the yen sign and the overline; those, and all Japanese text, go
// through the codec, which is too slow to open for every number.
QString qtText(std::string_view text) {
    for (const char c : text)
        if (c < 0x20 || c > 0x7D || c == 0x5C) return fromCp932(text);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool sameFace(const CanvasFont& a, const CanvasFont& b) {
    return a.face == b.face && a.size == b.size && a.bold == b.bold && a.italic == b.italic;
}

} // namespace

QString canvasText(const CanvasFont& font, std::string_view text) {
    QString shown = qtText(text);
    if (drawsMinusSign(font)) shown.replace(QChar(u'-'), QChar(0x2212));
    return shown;
}

int canvasAscent(const QFont& font) {
    return textAscent(QFontMetrics(font).ascent(), font.pixelSize());
}

int QtTextMeasure::textWidth(const CanvasFont& font, std::string_view text) const {
    if (!m_font || !sameFace(*m_font, font)) {
        m_metrics.emplace(qtFont(font));
        m_font = font;
    }
    const QString shown = canvasText(font, text);
    return std::max(m_metrics->horizontalAdvance(shown), m_metrics->boundingRect(shown).right() + 1);
}

qreal screenPixelRatio() {
    return qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
}

QFont qtFont(const CanvasFont& font) {
    QFont result = shippedFont(faceOfDesignName(font.face), pixelsFromPoints(font.size));
    result.setBold(font.bold);
    result.setItalic(font.italic);
    return result;
}

QImageCanvas::QImageCanvas(QSize controlSize, QSize pictureSize, qreal devicePixelRatio)
    : Canvas(controlSize.width(), controlSize.height()), m_pictureSize(pictureSize),
      m_devicePixelRatio(std::max<qreal>(1, devicePixelRatio)) {
    clear();
}

QImageCanvas::~QImageCanvas() = default;

const QImage& QImageCanvas::image() const {
    finishPainting();
    return picture();
}

// A cleared canvas has no picture yet: most rows stay white, and a white
// picture is made only when one is looked at or drawn on.
QImage& QImageCanvas::picture() const {
    if (m_image.isNull()) {
        m_image = QImage(m_pictureSize * m_devicePixelRatio, PictureFormat);
        m_image.setDevicePixelRatio(m_devicePixelRatio);
        m_image.fill(Qt::white);
    }
    return m_image;
}

void QImageCanvas::setPicture(const QImage& picture) {
    finishPainting();
    m_image = picture.convertToFormat(PictureFormat);
}

// One painter serves a run of texts and fills: opening one for every text,
// and resolving its font again, would take most of a row's drawing time.
QPainter& QImageCanvas::painter() {
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&picture());
        m_painter->setFont(m_qtFont);
    }
    return *m_painter;
}

void QImageCanvas::finishPainting() const {
    m_painter.reset();
}

// Resolved when text is drawn: most images are cleared many times and
// written on seldom, and resolving a font is the slow part.
void QImageCanvas::resolveFont() {
    if (m_resolvedFont && sameFace(*m_resolvedFont, font())) return;
    m_qtFont = qtFont(font());
    m_ascent = canvasAscent(m_qtFont);
    m_resolvedFont = font();
    if (m_painter) m_painter->setFont(m_qtFont);
}

void QImageCanvas::textOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    resolveFont();
    QPainter& out = painter();
    const Colour colour = font().colour;
    out.setPen(QColor(colour.r, colour.g, colour.b));
    // The point is the text's top left corner; Qt draws from the baseline.
    out.drawText(QPoint(x, y + m_ascent), canvasText(font(), text));
}

// One pixel of the layout: the device pixels it covers on the picture.
void QImageCanvas::plot(int x, int y) {
    if (x < 0 || y < 0 || x >= m_pictureSize.width() || y >= m_pictureSize.height()) return;
    QImage& image = picture();
    const auto first = [this](int v) { return static_cast<int>(v * m_devicePixelRatio); };
    for (int dy = first(y); dy < std::max(first(y + 1), first(y) + 1) && dy < image.height(); ++dy) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(dy));
        for (int dx = first(x); dx < std::max(first(x + 1), first(x) + 1) && dx < image.width(); ++dx) {
            QRgb& pixel = line[dx];
            pixel = penMode() == PenMode::NotXor ? (~(pixel ^ rgb(pen())) & 0x00FFFFFFu) | 0xFF000000u
                                                 : rgb(pen());
        }
    }
}

void QImageCanvas::copyRect(int x1, int y1, int x2, int y2) {
    const QRect area =
        QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).intersected(QRect(QPoint(0, 0), m_pictureSize));
    if (!area.isEmpty()) painter().fillRect(area, QColor::fromRgb(rgb(pen())));
}

// Pixel by pixel, each once: a not-xor line drawn twice must cancel exactly.
void QImageCanvas::line(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) return;
    if (penMode() == PenMode::Copy && y1 == y2)
        return copyRect(std::min(x1, x2 + 1), y1, std::max(x1 + 1, x2), y1 + 1);
    if (penMode() == PenMode::Copy && x1 == x2)
        return copyRect(x1, std::min(y1, y2 + 1), x1 + 1, std::max(y1 + 1, y2));
    finishPainting();
    forEachLinePixel(x1, y1, x2, y2, [this](int x, int y) { plot(x, y); });
}

void QImageCanvas::rectangle(int x1, int y1, int x2, int y2) {
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    if (penMode() == PenMode::Copy) {
        copyRect(x1, y1, x2, y1 + 1);
        copyRect(x1, y2 - 1, x2, y2);
        copyRect(x1, y1, x1 + 1, y2);
        copyRect(x2 - 1, y1, x2, y2);
        return;
    }
    finishPainting();
    forEachOutlinePixel(x1, y1, x2, y2, [this](int x, int y) { plot(x, y); });
}

void QImageCanvas::fillRect(int x1, int y1, int x2, int y2, Colour colour) {
    const QRect area =
        QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).intersected(QRect(QPoint(0, 0), m_pictureSize));
    if (!area.isEmpty()) painter().fillRect(area, QColor(colour.r, colour.g, colour.b));
}

void QImageCanvas::clear() {
    finishPainting();
    m_image = QImage();
    freshSurface();
}

} // namespace tavolini
