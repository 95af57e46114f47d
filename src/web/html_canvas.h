// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/brace.h"
#include "presentation/canvas.h"
#include "presentation/equation_layout.h"
#include "presentation/svg_print_target.h"

#include <emscripten/val.h>
#include <string>
#include <utility>
#include <vector>

namespace tavolini::web {

// A Canvas over an HTML canvas element of the page, drawn at the device
// pixel ratio: one pixel of the layout is ratio × ratio pixels of the
// picture, so text and curves stay sharp on a tablet's screen.
class HtmlCanvas final : public Canvas {
  public:
    // The element `id`, laid out `width` × `height`; its picture is made here.
    HtmlCanvas(const std::string& id, int width, int height);

    void textOut(int x, int y, std::string_view text) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void fillRect(int x1, int y1, int x2, int y2, Colour colour) override;
    void clear() override;

    // The brace in `box`, in ink on paper filling the picture.
    void drawBrace(const PageRect& box, Colour ink, Colour paper);

  private:
    void plot(const std::vector<std::pair<int, int>>& pixels);

    emscripten::val m_context;
    double m_ratio;
};

// Measures text as HtmlCanvas draws it, and as the browser prints it.
class HtmlTextMeasure : public SvgTextMeasure {
  public:
    int textWidth(const CanvasFont& font, std::string_view text) const override;
    int ascent(const CanvasFont& font) const override;
};

} // namespace tavolini::web
