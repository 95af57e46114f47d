// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/print_job.h"

#include <algorithm>

namespace tavolini {
namespace {

constexpr int MaxMargin = 10;
constexpr int MaxSize = 5;
constexpr int MarginCharacterWidth = 32; // screen pixels per character of margin
constexpr int TitlePoints = 12;
constexpr int AnswerIndent = 20;
constexpr int ScreenResolution = 96;

// Draws the image enlarged z times with its top left at (x, y); the height
// it takes, with a little space below.
int printImage(PrintTarget& target, int x, int y, const std::optional<PrintImage>& image, int z) {
    if (!image) return 0;
    target.drawImage(*image, {x, y, image->width * z, image->height * z});
    return (image->height + 2) * z;
}

} // namespace

PrintLayout printLayout(PrintSettings settings, int pageWidth, int pageHeight, int screenWidth) {
    // A page narrower than the screen still gets its margins.
    const int k = std::max(1, screenWidth > 0 ? pageWidth / screenWidth : 1);
    return {k,
            std::clamp(settings.size, 1, MaxSize) + 1,
            MarginCharacterWidth * std::clamp(settings.margin, 0, MaxMargin) * k,
            100 * k,
            pageHeight - 200 * k,
            50 * k};
}

bool printSteps(PrintTarget& target, const StepPrintout& printout, PrintSettings settings) {
    const PrintLayout layout =
        printLayout(settings, target.pageWidth(), target.pageHeight(), printout.screenWidth);
    const int x = layout.left;
    int y = layout.topMargin;
    target.drawText(x, y, TitlePoints, printout.title);
    y += layout.titleGap;
    const int firstRowTop = y;
    for (std::size_t i = 0; i < printout.rows.size(); ++i) {
        y += printImage(target, x, y, printout.rows[i], layout.z);
        if (y > layout.bottomLimit) {
            y = layout.topMargin;
            if (!target.newPage()) return false;
        }
        if (i == 1) printImage(target, x, firstRowTop, printout.brace, layout.z);
    }
    if (printout.answerBoxShown) {
        const int answerTop = y;
        y += printImage(target, x + AnswerIndent, y, printout.answerX, layout.z);
        printImage(target, x + AnswerIndent, y, printout.answerY, layout.z);
        printImage(target, x, answerTop, printout.answerBrace, layout.z);
    }
    return true;
}

void printWholePage(PrintTarget& target, const PrintImage& page) {
    const int dpi = target.resolution();
    target.drawImage(page, {0, 0, page.width * dpi / ScreenResolution, page.height * dpi / ScreenResolution});
}

std::string printPreviewText(int margin) {
    return std::string(static_cast<std::size_t>(std::clamp(margin, 0, MaxMargin)), ' ') + "ax+by=c";
}

int printPreviewPoints(int size) {
    return std::clamp(size, 1, MaxSize) * 4 + 10;
}

} // namespace tavolini
