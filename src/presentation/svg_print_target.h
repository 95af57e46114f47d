// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/print_job.h"

#include <memory>
#include <string>
#include <vector>

namespace tavolini {

// Measures text as the browser draws it: its width, and the height from the
// top of its cell down to its baseline, where SVG places text.
class SvgTextMeasure : public TextMeasure {
  public:
    virtual int ascent(const CanvasFont& font) const = 0;
};

// A print job written as SVG, one document per printed page, for the
// browser to print: sheets of A4 at 96 pixels an inch, so that a pixel of
// the paper is one of the page. Text stays text in the shipped faces, lines
// and the braces are paths; the page window comes as a picture.
class SvgPrintTarget final : public PrintTarget {
  public:
    static constexpr int Resolution = 96;
    static constexpr int A4Width = 794;   // 210 mm
    static constexpr int A4Height = 1123; // 297 mm

    // `pageWindowPicture`: the address of the page window's picture (a data
    // URL), for drawPageWindow.
    explicit SvgPrintTarget(const SvgTextMeasure& measure, std::string pageWindowPicture = {});
    ~SvgPrintTarget() override;

    int pageWidth() const override { return A4Width; }
    int pageHeight() const override { return A4Height; }
    int resolution() const override { return Resolution; }
    bool newPage() override;
    Canvas& canvas(const PageRect& onPage, int layoutWidth, int layoutHeight) override;
    const TextMeasure& measure() const override { return m_measure; }
    void drawBrace(const PageRect& onPage) override;
    void drawText(int x, int y, int points, std::string_view text) override;
    void drawPageWindow(const PageRect& onPage) override;

    // Every page so far, each a whole SVG document in UTF-8.
    std::vector<std::string> pages() const;

  private:
    class SvgCanvas;
    // Ends the canvas in use: what follows is drawn on the page itself.
    void leaveCanvas();

    const SvgTextMeasure& m_measure;
    std::string m_pageWindowPicture;
    std::vector<std::string> m_pages{std::string()}; // the bodies, the last one being written
    std::unique_ptr<SvgCanvas> m_canvas;
};

// Text and attribute values as XML writes them.
std::string xmlEscaped(std::string_view utf8);

} // namespace tavolini
