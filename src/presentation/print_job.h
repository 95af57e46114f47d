// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "presentation/canvas.h"
#include "presentation/equation_layout.h"
#include "presentation/page_layout.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

// What a print job draws on: a page of a printer or of a PDF file, in its
// device pixels. The steps are drawn through the page's own layout, as text
// and lines, so that paper is as sharp as the printer.
class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int resolution() const = 0; // device pixels per inch
    // False when the printer failed: the job ends there.
    virtual bool newPage() = 0;
    // A canvas that draws `layoutWidth` x `layoutHeight` pixels of the
    // screen's layout into `onPage`; it lasts until the next call.
    virtual Canvas& canvas(const PageRect& onPage, int layoutWidth, int layoutHeight) = 0;
    // Measures text as the canvases draw it, in pixels of the layout.
    virtual const TextMeasure& measure() const = 0;
    // A left curly brace filling `onPage`.
    virtual void drawBrace(const PageRect& onPage) = 0;
    // Text with its top left corner at (x, y), in points of the paper, code page 932.
    virtual void drawText(int x, int y, int points, std::string_view text) = 0;
    // The page window as it shows on the screen, stretched into `onPage`.
    virtual void drawPageWindow(const PageRect& onPage) = 0;
};

// The print dialog's two settings.
struct PrintSettings {
    int margin = 6; // 左側空白 in characters, 0 to 10
    int size = 2;   // 文字の大きさ, 1 to 5

    // Each setting brought into its range.
    PrintSettings clamped() const;
};
inline constexpr PrintSettings LowestPrintSettings{0, 1};
inline constexpr PrintSettings HighestPrintSettings{10, 5};

// One row of the page as it was drawn there: table slot n, as a step (its
// sentence above it) or not, in its colour, and the size its control shows.
struct PrintRow {
    int n = 0;
    bool step = false;
    Colour colour = clBlack;
    int width = 0;
    int height = 0;
};

// What a printout of the steps shows: the title, the rows 1 to
// equationCount (a row never drawn is left out), the brace beside ① and ②,
// and the answer box with the answers when it is shown.
struct StepPrintout {
    std::string title;
    int screenWidth = 1024;
    std::vector<PrintRow> rows;
    bool answerBoxShown = false;
    std::optional<PrintRow> answerX;
    std::optional<PrintRow> answerY;
};

// The measures of one job, in device pixels: k device pixels per screen
// pixel of width (at least 1), for the margins of the page; `scale` device
// pixels per pixel of the layout, for what is drawn.
struct PrintLayout {
    int k = 1;
    double scale = 1;
    int left = 0;
    int topMargin = 0;
    int bottomLimit = 0;
    int titleGap = 0;
};

// At size 2 a row prints as tall as it shows on a 96-dpi screen; each size
// scales that by (size + 1) / 3, as far as the widest row still fits the
// page beside the margin. The margin counts characters of the equations'
// cells at that size.
PrintLayout printLayout(PrintSettings settings, int pageWidth, int pageHeight, int resolution,
                        int screenWidth, int rowWidth);

// Prints the title and the rows one under the other, a row that ends below
// the bottom limit still whole; a new page is begun only when something
// follows. Each row is drawn as the page draws it, reporting as it does into
// `messages`. False when the printer failed.
bool printSteps(PrintTarget& target, const StepPrintout& printout, PrintSettings settings, Algebra& algebra,
                LayoutState& layout, Messages& messages);

// The page window as it shows on the screen (96 pixels an inch), made
// smaller where it would not fit the page, on one page.
void printWholePage(PrintTarget& target, int windowWidth, int windowHeight);

// The preview line: `margin` spaces and "ax+by=c", and its size in points.
std::string printPreviewText(int margin);
int printPreviewPoints(int size);

} // namespace tavolini
