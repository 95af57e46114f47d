// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/canvas.h"

#include <string>
#include <vector>

namespace tavolini {

// One drawing call, with the surface's font and pen at that moment.
struct CanvasCall {
    enum class Kind { Text, Line, Rectangle, Fill, Clear };
    Kind kind = Kind::Text;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string text; // code page 932
    CanvasFont font;
    Colour pen;
    PenMode penMode = PenMode::Copy;
};

// A canvas that draws nothing and keeps every call, so that tests can
// assert the exact positions a drawing uses.
class RecordingCanvas final : public Canvas {
  public:
    RecordingCanvas(int width, int height) : Canvas(width, height) {}

    void textOut(int x, int y, std::string_view text) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void fillRect(int x1, int y1, int x2, int y2, Colour colour) override;
    void clear() override;

    const std::vector<CanvasCall>& calls() const { return m_calls; }
    void forget() { m_calls.clear(); }

    // The texts and lines drawn, in order, in UTF-8: "2@12,32" for a text
    // at (12, 32), "_12-32@42" for a line from x 12 to 32 at y 42; other
    // lines and rectangles as "/x1,y1-x2,y2" and "[x1,y1-x2,y2]". Spaces
    // join the entries.
    std::string drawing() const;

    // The texts alone, joined by spaces, in UTF-8.
    std::string texts() const;

    // The call that drew this text (UTF-8), or nothing.
    const CanvasCall* findText(const std::string& utf8) const;

  private:
    std::vector<CanvasCall> m_calls;

    void record(CanvasCall::Kind kind, int x1, int y1, int x2, int y2, std::string_view text = {});
};

} // namespace tavolini
