// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/html_canvas.h"

#include "core/cp932.h"
#include "core/design_faces.h"
#include "web/page_script.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

namespace tavolini::web {
namespace {

using emscripten::val;

std::string cssColour(Colour c) {
    return "rgb(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

// Text stands on white at a contrast of 4.5:1 at least: the design's lighter
// inks (the command's fuchsia, red) are drawn a shade darker, the others as
// they are.
Colour readableInk(Colour ink) {
    const auto linear = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    const auto contrast = [&](Colour c) {
        return 1.05 / (0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b) + 0.05);
    };
    const auto darker = [](std::uint8_t v) { return static_cast<std::uint8_t>(v * 15 / 16); };
    while (contrast(ink) < 4.5)
        ink = {darker(ink.r), darker(ink.g), darker(ink.b)};
    return ink;
}

std::string cssFont(const CanvasFont& font) {
    std::string css = font.italic ? "italic " : "";
    if (font.bold) css += "bold ";
    return css + std::to_string(pixelsFromPoints(font.size)) + "px \"" +
           shippedFamilyName(faceOfDesignName(font.face)) + "\", sans-serif";
}

// One context measures for every canvas; ascents are kept by font.
val measuringContext() {
    static val context = val::global("document")
                             .call<val>("createElement", std::string("canvas"))
                             .call<val>("getContext", std::string("2d"));
    return context;
}

int ascentOf(const CanvasFont& font) {
    static std::map<std::string, int> ascents;
    const std::string css = cssFont(font);
    const auto known = ascents.find(css);
    if (known != ascents.end()) return known->second;
    val context = measuringContext();
    context.set("font", css);
    const double ascent =
        context.call<val>("measureText", std::string("0"))["fontBoundingBoxAscent"].as<double>();
    return ascents[css] = textAscent(static_cast<int>(std::lround(ascent)), pixelsFromPoints(font.size));
}

} // namespace

HtmlCanvas::HtmlCanvas(const std::string& id, int width, int height)
    : Canvas(width, height), m_context(element(id).call<val>("getContext", std::string("2d"))),
      m_ratio(std::max(1.0, val::global("devicePixelRatio").as<double>())) {
    val canvas = m_context["canvas"];
    canvas.set("width", static_cast<int>(std::lround(width * m_ratio)));
    canvas.set("height", static_cast<int>(std::lround(height * m_ratio)));
    clear();
}

void HtmlCanvas::textOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    m_context.set("font", cssFont(font()));
    m_context.set("fillStyle", cssColour(readableInk(font().colour)));
    m_context.call<void>("fillText", shownUtf8(font(), text), x, y + ascentOf(font()));
}

void HtmlCanvas::line(int x1, int y1, int x2, int y2) {
    std::vector<std::pair<int, int>> pixels;
    forEachLinePixel(x1, y1, x2, y2, [&](int x, int y) { pixels.emplace_back(x, y); });
    plot(pixels);
}

void HtmlCanvas::rectangle(int x1, int y1, int x2, int y2) {
    std::vector<std::pair<int, int>> pixels;
    forEachOutlinePixel(x1, y1, x2, y2, [&](int x, int y) { pixels.emplace_back(x, y); });
    plot(pixels);
}

// Copying fills the layout pixels; not-xor reads the picture's pixels they
// cover, turns them and writes them back, so that a second time restores them.
void HtmlCanvas::plot(const std::vector<std::pair<int, int>>& pixels) {
    if (pixels.empty()) return;
    if (penMode() == PenMode::Copy) {
        m_context.set("fillStyle", cssColour(pen()));
        for (const auto& [x, y] : pixels)
            if (x >= 0 && y >= 0 && x < width() && y < height()) m_context.call<void>("fillRect", x, y, 1, 1);
        return;
    }
    const int pictureWidth = static_cast<int>(std::lround(width() * m_ratio));
    const int pictureHeight = static_cast<int>(std::lround(height() * m_ratio));
    const auto device = [this](int v) { return static_cast<int>(v * m_ratio); };
    int left = pictureWidth, top = pictureHeight, right = 0, bottom = 0;
    for (const auto& [x, y] : pixels) {
        left = std::min(left, device(x));
        top = std::min(top, device(y));
        right = std::max(right, device(x + 1));
        bottom = std::max(bottom, device(y + 1));
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, pictureWidth);
    bottom = std::min(bottom, pictureHeight);
    if (right <= left || bottom <= top) return;
    val image = m_context.call<val>("getImageData", left, top, right - left, bottom - top);
    std::vector<std::uint8_t> data = emscripten::convertJSArrayToNumberVector<std::uint8_t>(image["data"]);
    const int stride = (right - left) * 4;
    const Colour ink = pen();
    for (const auto& [x, y] : pixels) {
        for (int dy = std::max(device(y), top); dy < std::min(std::max(device(y + 1), device(y) + 1), bottom);
             ++dy)
            for (int dx = std::max(device(x), left);
                 dx < std::min(std::max(device(x + 1), device(x) + 1), right); ++dx) {
                std::uint8_t* p = &data[static_cast<std::size_t>((dy - top) * stride + (dx - left) * 4)];
                p[0] = static_cast<std::uint8_t>(~(p[0] ^ ink.r));
                p[1] = static_cast<std::uint8_t>(~(p[1] ^ ink.g));
                p[2] = static_cast<std::uint8_t>(~(p[2] ^ ink.b));
            }
    }
    image["data"].call<void>("set", val(emscripten::typed_memory_view(data.size(), data.data())));
    m_context.call<void>("putImageData", image, left, top);
}

void HtmlCanvas::fillRect(int x1, int y1, int x2, int y2, Colour colour) {
    m_context.set("fillStyle", cssColour(colour));
    m_context.call<void>("fillRect", x1, y1, x2 - x1, y2 - y1);
}

void HtmlCanvas::clear() {
    m_context.call<void>("setTransform", m_ratio, 0, 0, m_ratio, 0, 0);
    m_context.set("textBaseline", std::string("alphabetic"));
    fillRect(0, 0, width(), height(), clWhite);
    freshSurface();
}

void HtmlCanvas::drawBrace(const PageRect& box, Colour ink, Colour paper) {
    fillRect(0, 0, width(), height(), paper);
    const BraceStroke stroke = braceStroke(box.left, box.top, box.width, box.height);
    m_context.call<void>("beginPath");
    m_context.call<void>("moveTo", stroke.start.x, stroke.start.y);
    for (const auto& piece : stroke.pieces)
        m_context.call<void>("bezierCurveTo", piece[0].x, piece[0].y, piece[1].x, piece[1].y, piece[2].x,
                             piece[2].y);
    m_context.set("strokeStyle", cssColour(ink));
    m_context.set("lineWidth", stroke.penWidth);
    m_context.set("lineCap", std::string("round"));
    m_context.set("lineJoin", std::string("round"));
    m_context.call<void>("stroke");
}

// The layout measures the same few pieces of text again and again: each is
// asked of the browser once, and the widths kept, up to a bound.
int HtmlTextMeasure::textWidth(const CanvasFont& font, std::string_view text) const {
    constexpr std::size_t KeptWidths = 4096;
    static std::map<std::string, int, std::less<>> widths;
    const std::string css = cssFont(font);
    std::string key = css + '\n' + std::string(text);
    if (const auto known = widths.find(key); known != widths.end()) return known->second;
    val context = measuringContext();
    context.set("font", css);
    val metrics = context.call<val>("measureText", shownUtf8(font, text));
    const double advance = metrics["width"].as<double>();
    const double ink = metrics["actualBoundingBoxRight"].as<double>();
    if (widths.size() == KeptWidths) widths.clear();
    return widths[std::move(key)] =
               static_cast<int>(std::max(std::lround(advance), std::lround(std::ceil(ink))));
}

int HtmlTextMeasure::ascent(const CanvasFont& font) const {
    return ascentOf(font);
}

} // namespace tavolini::web
