// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/svg_print_target.h"

#include "core/design_faces.h"
#include "presentation/brace.h"

#include <cstdio>

namespace tavolini {
namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string colour(Colour c) {
    return "rgb(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

std::string box(double x, double y, double width, double height) {
    return "x=\"" + number(x) + "\" y=\"" + number(y) + "\" width=\"" + number(width) + "\" height=\"" +
           number(height) + "\"";
}

// Text with its top at `y`, in the font's shipped face.
std::string text(int x, int y, const CanvasFont& font, std::string_view cp932Text, int ascent) {
    std::string element = "<text x=\"" + number(x) + "\" y=\"" + number(y + ascent) + "\" font-family=\"'" +
                          shippedFamilyName(faceOfDesignName(font.face)) + "',sans-serif\" font-size=\"" +
                          number(pixelsFromPoints(font.size)) + "\"";
    if (font.bold) element += " font-weight=\"bold\"";
    if (font.italic) element += " font-style=\"italic\"";
    return element + " fill=\"" + colour(font.colour) + "\">" + xmlEscaped(shownUtf8(font, cp932Text)) +
           "</text>";
}

} // namespace

// A stretch of the layout drawn into a rectangle of the page: an SVG of its
// own there, its view box the layout's pixels, so that it is clipped to the
// rectangle as a row's image is. Paper is white already, and has no
// outlines that a second not-xor would take away: both pen modes draw.
class SvgPrintTarget::SvgCanvas final : public Canvas {
  public:
    SvgCanvas(SvgPrintTarget& target, const PageRect& onPage, int width, int height)
        : Canvas(width, height), m_target(target) {
        write("<svg " + box(onPage.left, onPage.top, onPage.width, onPage.height) + " viewBox=\"0 0 " +
              number(width) + " " + number(height) + "\" preserveAspectRatio=\"none\">");
    }

    void textOut(int x, int y, std::string_view cp932Text) override {
        if (!cp932Text.empty()) write(text(x, y, font(), cp932Text, m_target.m_measure.ascent(font())));
    }
    // Through the middles of the pixels from (x1, y1) up to (x2, y2).
    void line(int x1, int y1, int x2, int y2) override {
        const double dx = y1 == y2 ? 0 : 0.5;
        const double dy = x1 == x2 ? 0 : 0.5;
        write("<path d=\"M" + number(x1 + dx) + " " + number(y1 + dy) + "L" + number(x2 + dx) + " " +
              number(y2 + dy) + "\" " + stroke() + "/>");
    }
    void rectangle(int x1, int y1, int x2, int y2) override {
        if (x2 - x1 < 1 || y2 - y1 < 1) return;
        write("<rect " + box(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1) + " fill=\"none\" " + stroke() +
              "/>");
    }
    void fillRect(int x1, int y1, int x2, int y2, Colour fill) override {
        if (x2 <= x1 || y2 <= y1) return;
        write("<rect " + box(x1, y1, x2 - x1, y2 - y1) + " fill=\"" + colour(fill) + "\"/>");
    }
    void clear() override { freshSurface(); }

  private:
    std::string stroke() const { return "stroke=\"" + colour(pen()) + "\" stroke-width=\"1\""; }
    void write(const std::string& svg) { m_target.m_pages.back() += svg; }

    SvgPrintTarget& m_target;
};

SvgPrintTarget::SvgPrintTarget(const SvgTextMeasure& measure, std::string pageWindowPicture)
    : m_measure(measure), m_pageWindowPicture(std::move(pageWindowPicture)) {}

SvgPrintTarget::~SvgPrintTarget() = default;

void SvgPrintTarget::leaveCanvas() {
    if (!m_canvas) return;
    m_pages.back() += "</svg>";
    m_canvas.reset();
}

bool SvgPrintTarget::newPage() {
    leaveCanvas();
    m_pages.emplace_back();
    return true;
}

Canvas& SvgPrintTarget::canvas(const PageRect& onPage, int layoutWidth, int layoutHeight) {
    leaveCanvas();
    m_canvas = std::make_unique<SvgCanvas>(*this, onPage, layoutWidth, layoutHeight);
    return *m_canvas;
}

void SvgPrintTarget::drawBrace(const PageRect& onPage) {
    leaveCanvas();
    const BraceStroke brace = braceStroke(onPage.left, onPage.top, onPage.width, onPage.height);
    std::string path = "M" + number(brace.start.x) + " " + number(brace.start.y);
    for (const auto& piece : brace.pieces) {
        path += "C";
        for (const CurvePoint& point : piece)
            path += number(point.x) + " " + number(point.y) + " ";
        path.pop_back();
    }
    m_pages.back() += "<path d=\"" + path + "\" fill=\"none\" stroke=\"" + colour(clBlack) +
                      "\" stroke-width=\"" + number(brace.penWidth) +
                      "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>";
}

void SvgPrintTarget::drawText(int x, int y, int points, std::string_view cp932Text) {
    leaveCanvas();
    if (cp932Text.empty()) return;
    CanvasFont font = clearedSurfaceFont(); // a pixel of the paper is one of the screen
    font.size = points;
    m_pages.back() += text(x, y, font, cp932Text, m_measure.ascent(font));
}

void SvgPrintTarget::drawPageWindow(const PageRect& onPage) {
    leaveCanvas();
    m_pages.back() += "<image " + box(onPage.left, onPage.top, onPage.width, onPage.height) +
                      " preserveAspectRatio=\"none\" href=\"" + xmlEscaped(m_pageWindowPicture) + "\"/>";
}

std::vector<std::string> SvgPrintTarget::pages() const {
    std::vector<std::string> documents;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const bool inCanvas = m_canvas && i + 1 == m_pages.size();
        documents.push_back("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"210mm\" height=\"297mm\" "
                            "viewBox=\"0 0 " +
                            number(A4Width) + " " + number(A4Height) + "\" xml:space=\"preserve\">" +
                            m_pages[i] + (inCanvas ? "</svg>" : "") + "</svg>");
    }
    return documents;
}

std::string xmlEscaped(std::string_view utf8) {
    std::string escaped;
    for (const char c : utf8) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace tavolini
