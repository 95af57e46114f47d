// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavolini {

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Colour&, const Colour&) = default;
};

// The colours the program draws in, by the names the windows know them by.
inline constexpr Colour clBlack{0, 0, 0};
inline constexpr Colour clWhite{255, 255, 255};
inline constexpr Colour clRed{255, 0, 0};
inline constexpr Colour clBlue{0, 0, 255};
inline constexpr Colour clPurple{128, 0, 128};
inline constexpr Colour clFuchsia{255, 0, 255};
inline constexpr Colour clLime{0, 255, 0};
inline constexpr Colour clOlive{128, 128, 0};

// Character sets a font asks for; they only matter to the fonts' names.
inline constexpr int AnsiCharset = 0;
inline constexpr int DefaultCharset = 1;
inline constexpr int ShiftJisCharset = 128;

// A font as the program names it: the face (code page 932 text, such as
// 'ＭＳ Ｐゴシック'), its size in points at 96 dpi, style and colour.
struct CanvasFont {
    std::string face;
    int charset = DefaultCharset;
    bool bold = false;
    bool italic = false;
    int size = 9;
    Colour colour = clBlack;

    friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

// The font of a freshly cleared surface. It must be able to show Japanese:
// step sentences are written in it.
CanvasFont clearedSurfaceFont();

// Pixels per em of a size in points, at 96 dpi, rounded to the nearest pixel.
constexpr int pixelsFromPoints(int points) {
    return (points * 96 + 36) / 72;
}

enum class PenMode { Copy, NotXor };

// An equation's minus is drawn as the font's minus sign (U+2212), as wide as
// its plus, not as the short hyphen of the keyboard.
bool drawsMinusSign(const CanvasFont& font);

// The text as a browser draws it: UTF-8, an equation's minus as the minus sign.
std::string shownUtf8(const CanvasFont& font, std::string_view text);

// Text is placed by the top of its cell, as Windows places it. TeX Gyre
// Bonum reports a taller ascent than the Bookman it stands for, which would
// push denominators out of the bottom of a row; no face gets more than the
// em less one pixel.
constexpr int textAscent(int fontAscent, int pixelSize) {
    return fontAscent < pixelSize - 1 ? fontAscent : pixelSize - 1;
}

// The pixels of a line from (x1, y1) up to but not including (x2, y2), each
// once: a not-xor line drawn twice must cancel exactly.
template <class Plot> void forEachLinePixel(int x1, int y1, int x2, int y2, Plot plot) {
    const int dx = x2 > x1 ? x2 - x1 : x1 - x2;
    const int dy = -(y2 > y1 ? y2 - y1 : y1 - y2);
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

// The pixels of the outline of x1..x2-1, y1..y2-1, each once.
template <class Plot> void forEachOutlinePixel(int x1, int y1, int x2, int y2, Plot plot) {
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    for (int x = x1; x < x2; ++x) {
        plot(x, y1);
        if (y2 - 1 > y1) plot(x, y2 - 1);
    }
    for (int y = y1 + 1; y < y2 - 1; ++y) {
        plot(x1, y);
        if (x2 - 1 > x1) plot(x2 - 1, y);
    }
}

// The drawing surface of one image: the layout and the page draw through this
// and nothing else, so that the screen, the selection previews and the tests
// share one layout. It keeps the image's size, font and pen; each kind of
// surface draws the primitives its own way.
class Canvas {
  public:
    virtual ~Canvas() = default;

    // The size of the image as laid out on its window (not of its bitmap).
    int width() const { return m_width; }
    int height() const { return m_height; }

    const CanvasFont& font() const { return m_font; }
    void setFont(const CanvasFont& font) { m_font = font; }
    void setPen(Colour colour, PenMode mode) {
        m_pen = colour;
        m_penMode = mode;
    }

    // Text whose top left corner is at (x, y), in the font and its colour;
    // the background shows through.
    virtual void textOut(int x, int y, std::string_view text) = 0;

    // A one-pixel line in the pen, from (x1, y1) up to but not including (x2, y2).
    virtual void line(int x1, int y1, int x2, int y2) = 0;

    // The one-pixel outline of the pixels x1..x2-1, y1..y2-1 in the pen; the
    // inside is left as it is.
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;

    // Fills the pixels x1..x2-1, y1..y2-1.
    virtual void fillRect(int x1, int y1, int x2, int y2, Colour colour) = 0;

    // The image gets a fresh white picture and a fresh surface (freshSurface).
    virtual void clear() = 0;

  protected:
    Canvas(int width, int height) : m_width(width), m_height(height) {}

    void resize(int width, int height) {
        m_width = width;
        m_height = height;
    }
    Colour pen() const { return m_pen; }
    PenMode penMode() const { return m_penMode; }
    // The cleared surface's font, a black pen in copy mode.
    void freshSurface() {
        setFont(clearedSurfaceFont());
        setPen(clBlack, PenMode::Copy);
    }

  private:
    int m_width;
    int m_height;
    CanvasFont m_font = clearedSurfaceFont();
    Colour m_pen = clBlack;
    PenMode m_penMode = PenMode::Copy;
};

} // namespace tavolini
