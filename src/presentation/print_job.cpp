// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/print_job.h"

#include "core/cp932.h"
#include "presentation/brace.h"
#include "presentation/page_rows.h"

#include <algorithm>
#include <cmath>

namespace tavolini {
namespace {

constexpr int ScreenSize = 2;            // the size that prints rows as tall as the screen shows them
constexpr int MarginCharacterWidth = 10; // a cell of the equations at their usual size
constexpr int TitlePoints = 12;
constexpr double ScreenResolution = 96;
constexpr int RowGap = 2; // layout pixels below every row

// The page's margins, in screen pixels of width.
constexpr int TopMargin = 100;    // above the title
constexpr int BottomMargin = 200; // below the last row that starts on a page
constexpr int TitleGap = 50;      // from the title to the first row

// The preview line grows by so many points a size.
constexpr int PreviewBasePoints = 10;
constexpr int PreviewPointsPerSize = 4;

int scaled(int length, double scale) {
    return static_cast<int>(std::lround(length * scale));
}

PageRect scaledRect(const PageRect& r, int x, int y, double scale) {
    return {x + scaled(r.left, scale), y + scaled(r.top, scale), scaled(r.width, scale),
            scaled(r.height, scale)};
}

// The page's one row image, for the page's drawing of a row: the canvas on
// paper stands in for it, and measures text as the paper draws it.
class PaperRow final : public RowImages {
  public:
    PaperRow(Canvas& canvas, int n, const TextMeasure& measure)
        : m_canvas(canvas), m_n(n), m_measure(measure) {}
    Canvas* findRowImage(int n) override { return n == m_n ? &m_canvas : nullptr; }
    int textWidth(const CanvasFont& font, std::string_view text) const override {
        return m_measure.textWidth(font, text);
    }

  private:
    Canvas& m_canvas;
    int m_n;
    const TextMeasure& m_measure;
};

// Draws the row with its top left at (x, y); the height it takes on paper.
int printRow(PrintTarget& target, Algebra& algebra, LayoutState& layout, const PrintRow& row, int x, int y,
             double scale, Messages& messages) {
    const PageRect onPage{x, y, scaled(row.width, scale), scaled(row.height, scale)};
    Canvas& canvas = target.canvas(onPage, row.width, row.height);
    PaperRow paper(canvas, row.n, target.measure());
    PageRows page{algebra, layout, paper, messages};
    if (row.step)
        showStep(page, &canvas, row.n, row.colour);
    else
        showEquation(page, &canvas, row.n, row.colour);
    return scaled(row.height + RowGap, scale);
}

// "[答]" and its brace in front of the answers, over the start of their
// rows, as the page shows them.
void printAnswerBrace(PrintTarget& target, int x, int y, double scale) {
    Canvas& canvas = target.canvas(scaledRect(AnswerBraceImage, x, y, scale), AnswerBraceImage.width,
                                   AnswerBraceImage.height);
    canvas.fillRect(0, 0, AnswerBraceImage.width, AnswerBraceImage.height, clWhite);
    drawAnswerBraceLabel(canvas, target.measure());
    target.drawBrace(scaledRect(AnswerBraceCurve, x, y, scale));
}

int widestRow(const StepPrintout& printout) {
    int widest = 0;
    for (const PrintRow& row : printout.rows)
        widest = std::max(widest, row.width);
    return widest;
}

} // namespace

PrintSettings PrintSettings::clamped() const {
    return {std::clamp(margin, LowestPrintSettings.margin, HighestPrintSettings.margin),
            std::clamp(size, LowestPrintSettings.size, HighestPrintSettings.size)};
}

PrintLayout printLayout(PrintSettings settings, int pageWidth, int pageHeight, int resolution,
                        int screenWidth, int rowWidth) {
    // A page narrower than the screen still gets its margins.
    const int k = std::max(1, screenWidth > 0 ? pageWidth / screenWidth : 1);
    const auto [margin, size] = settings.clamped();
    double scale = std::max(1, resolution) / ScreenResolution * (size + 1) / (ScreenSize + 1);
    const int widest = margin * MarginCharacterWidth + rowWidth;
    if (widest > 0 && pageWidth > 0) scale = std::min(scale, static_cast<double>(pageWidth) / widest);
    return {.k = k,
            .scale = scale,
            .left = scaled(margin * MarginCharacterWidth, scale),
            .topMargin = TopMargin * k,
            .bottomLimit = pageHeight - BottomMargin * k,
            .titleGap = TitleGap * k};
}

bool printSteps(PrintTarget& target, const StepPrintout& printout, PrintSettings settings, Algebra& algebra,
                LayoutState& layout, Messages& messages) {
    const PrintLayout measures = printLayout(settings, target.pageWidth(), target.pageHeight(),
                                             target.resolution(), printout.screenWidth, widestRow(printout));
    const double scale = measures.scale;
    const int x = measures.left;
    int y = measures.topMargin;
    target.drawText(x, y, TitlePoints, printout.title);
    y += measures.titleGap;
    const int firstRowTop = y;

    // A row that ends below the limit is printed whole; the page is turned
    // only for what follows it, so that no blank sheet comes out at the end.
    bool pageFull = false;
    const auto turnPageIfFull = [&] {
        if (!pageFull) return true;
        pageFull = false;
        y = measures.topMargin;
        return target.newPage();
    };
    for (const PrintRow& row : printout.rows) {
        if (!turnPageIfFull()) return false;
        y += printRow(target, algebra, layout, row, x, y, scale, messages);
        pageFull = y > measures.bottomLimit;
        if (row.n == 2) target.drawBrace(scaledRect(BraceCurve, x, firstRowTop, scale));
    }
    if (printout.answerBoxShown) {
        if (!turnPageIfFull()) return false;
        int answerTop = y;
        for (const std::optional<PrintRow>& answer : {printout.answerX, printout.answerY})
            if (answer)
                answerTop += printRow(target, algebra, layout, *answer, x, answerTop, scale, messages);
        printAnswerBrace(target, x, y, scale);
    }
    return true;
}

void printWholePage(PrintTarget& target, int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return;
    const double scale = std::min({target.resolution() / ScreenResolution,
                                   static_cast<double>(target.pageWidth()) / windowWidth,
                                   static_cast<double>(target.pageHeight()) / windowHeight});
    target.drawPageWindow({0, 0, scaled(windowWidth, scale), scaled(windowHeight, scale)});
}

std::string printPreviewText(int margin) {
    return std::string(static_cast<std::size_t>(PrintSettings{margin, 1}.clamped().margin), ' ') + "ax+by=c";
}

int printPreviewPoints(int size) {
    return PrintSettings{0, size}.clamped().size * PreviewPointsPerSize + PreviewBasePoints;
}

} // namespace tavolini
