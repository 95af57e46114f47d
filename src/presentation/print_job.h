// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/page_layout.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

// An image of the page window to print: its control's name and the size the
// control shows on the screen (a printout shows the same part of it).
struct PrintImage {
    std::string name;
    int width = 0;
    int height = 0;
};

// What a print job draws on: a page of a printer or of a PDF file, in its
// device pixels.
class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int resolution() const = 0; // device pixels per inch
    // False when the printer failed: the job ends there.
    virtual bool newPage() = 0;
    virtual void drawImage(const PrintImage& image, const PageRect& onPage) = 0;
    // Text with its top left corner at (x, y), code page 932.
    virtual void drawText(int x, int y, int points, std::string_view text) = 0;
};

// The print dialog's two settings.
struct PrintSettings {
    int margin = 6; // 左側空白 in characters, 0 to 10
    int size = 2;   // 文字の大きさ, 1 to 5
};

// What a printout of the steps shows: the title, the rows 1 to
// equationCount (nothing for a missing one), the brace beside ① and ②, and
// the answer box's images when it is shown.
struct StepPrintout {
    std::string title;
    int screenWidth = 1024;
    std::vector<std::optional<PrintImage>> rows;
    std::optional<PrintImage> brace;
    bool answerBoxShown = false;
    std::optional<PrintImage> answerX;
    std::optional<PrintImage> answerY;
    std::optional<PrintImage> answerBrace;
};

// The measures of one job, in device pixels: k device pixels per screen
// pixel (at least 1), every image enlarged z times.
struct PrintLayout {
    int k = 1;
    int z = 3;
    int left = 0;
    int topMargin = 0;
    int bottomLimit = 0;
    int titleGap = 0;
};

PrintLayout printLayout(PrintSettings settings, int pageWidth, int pageHeight, int screenWidth);

// Prints the title and the rows one under the other, a row that ends below
// the bottom limit still whole, the next one on a new page. False when the
// printer failed.
bool printSteps(PrintTarget& target, const StepPrintout& printout, PrintSettings settings);

// The page window's image as on the screen (96 pixels an inch), on one page.
void printWholePage(PrintTarget& target, const PrintImage& page);

// The preview line: `margin` spaces and "ax+by=c", and its size in points.
std::string printPreviewText(int margin);
int printPreviewPoints(int size);

} // namespace tavolini
