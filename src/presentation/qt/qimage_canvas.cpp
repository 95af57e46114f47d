// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/qt/qimage_canvas.h"

#include "platform/text_codec.h"

#include <QFontMetrics>
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

} // namespace

void installFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("Bookman Old Style"), QStringLiteral("TeX Gyre Bonum"));
    QFont::insertSubstitution(QStringLiteral(u"ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral(u"ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
}

QFont qtFont(const CanvasFont& font) {
    QFont result(fromCp932(font.face));
    result.setPixelSize(std::max(1, pixelsFromPoints(font.size)));
    result.setBold(font.bold);
    result.setItalic(font.italic);
    return result;
}

QImageCanvas::QImageCanvas(QSize controlSize, QSize pictureSize)
    : m_controlSize(controlSize), m_pictureSize(pictureSize) {
    clear();
}

QImageCanvas::~QImageCanvas() = default;

const QImage& QImageCanvas::image() const {
    finishPainting();
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
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setFont(m_qtFont);
    }
    return *m_painter;
}

void QImageCanvas::finishPainting() const {
    m_painter.reset();
}

void QImageCanvas::setFont(const CanvasFont& font) {
    const bool sameFace = font.face == m_font.face && font.size == m_font.size && font.bold == m_font.bold &&
                          font.italic == m_font.italic;
    m_font = font;
    if (sameFace) return;
    m_qtFont = qtFont(font);
    // Text is placed by the top of its cell, as Windows places it. TeX Gyre
    // Bonum reports a taller ascent than the Bookman it stands for, which
    // would push denominators out of the bottom of a row; no face here gets
    // more than the em less one pixel.
    m_ascent = std::min(QFontMetrics(m_qtFont).ascent(), m_qtFont.pixelSize() - 1);
    if (m_painter) m_painter->setFont(m_qtFont);
}

void QImageCanvas::setPen(Colour colour, PenMode mode) {
    m_pen = colour;
    m_penMode = mode;
}

void QImageCanvas::textOut(int x, int y, std::string_view text) {
    if (text.empty() || m_image.isNull()) return;
    QPainter& out = painter();
    out.setPen(QColor(m_font.colour.r, m_font.colour.g, m_font.colour.b));
    // The point is the text's top left corner; Qt draws from the baseline.
    out.drawText(QPoint(x, y + m_ascent), qtText(text));
}

void QImageCanvas::plot(int x, int y) {
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height()) return;
    auto* pixel = reinterpret_cast<QRgb*>(m_image.scanLine(y)) + x;
    if (m_penMode == PenMode::NotXor)
        *pixel = (~(*pixel ^ rgb(m_pen)) & 0x00FFFFFFu) | 0xFF000000u;
    else
        *pixel = rgb(m_pen);
}

void QImageCanvas::span(int x1, int x2, int y) {
    for (int x = x1; x < x2; ++x)
        plot(x, y);
}

void QImageCanvas::column(int x, int y1, int y2) {
    for (int y = y1; y < y2; ++y)
        plot(x, y);
}

void QImageCanvas::copyRect(int x1, int y1, int x2, int y2) {
    const QRect area = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).intersected(m_image.rect());
    if (!area.isEmpty()) painter().fillRect(area, QColor::fromRgb(rgb(m_pen)));
}

// Pixel by pixel, each once: a not-xor line drawn twice must cancel exactly.
void QImageCanvas::line(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) return;
    if (m_penMode == PenMode::Copy && y1 == y2)
        return copyRect(std::min(x1, x2 + 1), y1, std::max(x1 + 1, x2), y1 + 1);
    if (m_penMode == PenMode::Copy && x1 == x2)
        return copyRect(x1, std::min(y1, y2 + 1), x1 + 1, std::max(y1 + 1, y2));
    finishPainting();
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        plot(x, y);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void QImageCanvas::rectangle(int x1, int y1, int x2, int y2) {
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    if (m_penMode == PenMode::Copy) {
        copyRect(x1, y1, x2, y1 + 1);
        copyRect(x1, y2 - 1, x2, y2);
        copyRect(x1, y1, x1 + 1, y2);
        copyRect(x2 - 1, y1, x2, y2);
        return;
    }
    finishPainting();
    span(x1, x2, y1);
    if (y2 - 1 > y1) span(x1, x2, y2 - 1);
    column(x1, y1 + 1, y2 - 1);
    if (x2 - 1 > x1) column(x2 - 1, y1 + 1, y2 - 1);
}

void QImageCanvas::fillRect(int x1, int y1, int x2, int y2, Colour colour) {
    const QRect area = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).intersected(m_image.rect());
    if (!area.isEmpty()) painter().fillRect(area, QColor(colour.r, colour.g, colour.b));
}

void QImageCanvas::clear() {
    finishPainting();
    if (m_image.size() != m_pictureSize || m_image.format() != PictureFormat)
        m_image = QImage(m_pictureSize, PictureFormat);
    m_image.fill(Qt::white);
    setFont(clearedSurfaceFont());
    m_pen = clBlack;
    m_penMode = PenMode::Copy;
}

} // namespace tavolini
