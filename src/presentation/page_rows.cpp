// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/page_rows.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "presentation/page_layout.h"

#include <optional>
#include <string>

namespace tavolini {
namespace {

constexpr int RowTextSize = 12;
constexpr int RowTextSpacing = 16;
constexpr int RowTextRows = 4;
constexpr int LabelFromRight = 24;
constexpr int LabelDrop = 16;
constexpr int ShortLabelSize = 16;
constexpr int LongLabelSize = 9;
constexpr int PageMessageSize = 16;
// Room left between an equation and its label, and at the right of an answer.
constexpr int LabelGap = 4;
constexpr int AnswerMargin = 2;

bool inTable(int n) {
    return n >= 0 && n < EquationSlots;
}

int labelLeft(const Canvas& image) {
    return image.width() - LabelFromRight;
}

bool hasLabel(int n) {
    return n >= 0 && n < EquationLabelCount;
}

// Where the ink of an equation must end on the image of slot n.
int equationEnd(const Canvas& image, int n) {
    return hasLabel(n) ? labelLeft(image) - LabelGap : image.width() - AnswerMargin;
}

void paintWith(Canvas& image, Colour colour) {
    image.setPen(colour, PenMode::Copy);
    CanvasFont font = image.font();
    font.colour = colour;
    image.setFont(font);
}

} // namespace

namespace {

// Draws slot n into its row: smaller and under its step sentence when it is
// too long to end before the label; the sentence of an equation that fits
// only when asked for. The sentence is written once either way.
void drawRow(PageRows& page, Canvas* image, int n, Colour colour, std::optional<Colour> sentence) {
    // A number outside the table has no equation to draw, like one without a row.
    if (image == nullptr || !inTable(n)) {
        tell(page.messages, std::to_string(n) + "box not fond");
        return;
    }
    const MShiki& equation = page.algebra.EquationTable[static_cast<std::size_t>(n)];
    image->clear();
    paintWith(*image, colour);
    const CanvasFont font = image->font();
    const EquationFit fit =
        fitEquation(page.rows, *image, page.layout, page.algebra, n, equation, equationEnd(*image, n));
    if (fit.compact) {
        writeRowText(page.rows, n, 1, equation.stepText, sentence.value_or(colour));
        sentence.reset();
        image->setFont(font); // the equation keeps its own colour under a black sentence
    }
    drawEquation(*image, page.layout, page.algebra, n, fit.size, equation);
    drawRowLabel(page, n);
    if (sentence) writeRowText(page.rows, n, 1, equation.stepText, *sentence);
}

} // namespace

void showEquation(PageRows& page, Canvas* image, int n, Colour colour) {
    drawRow(page, image, n, colour, std::nullopt);
}

void showStep(PageRows& page, Canvas* image, int n, Colour colour) {
    drawRow(page, image, n, colour, clBlack);
}

void writeRowText(RowImages& rows, int n, int r, std::string_view text, Colour colour) {
    Canvas* image = rows.findRowImage(n);
    if (image == nullptr || r < 1 || r > RowTextRows) return;
    CanvasFont font = image->font();
    font.size = RowTextSize;
    font.colour = colour;
    image->setFont(font);
    image->textOut(0, (r - 1) * RowTextSpacing, text);
}

void drawRowLabel(PageRows& page, int n) {
    if (!hasLabel(n)) return; // the answers have no label
    Canvas* image = page.rows.findRowImage(n);
    if (image == nullptr) return;
    const std::string& label = EquationLabels()[static_cast<std::size_t>(n)];
    CanvasFont font = image->font();
    font.face = page.layout.fntKnj.face;
    font.charset = ShiftJisCharset;
    font.italic = false;
    font.size = label.size() < 3 ? ShortLabelSize : LongLabelSize;
    image->setFont(font);
    image->textOut(labelLeft(*image), textRowY(image->height(), 0) + LabelDrop, label);
}

void toggleRowOutline(Messages& messages, RowImages& rows, int n) {
    if (n <= 0) return;
    Canvas* image = rows.findRowImage(n);
    if (image == nullptr) {
        tell(messages, "ww" + std::to_string(n));
        return;
    }
    // The problem's rows leave the brace beside them uncovered.
    const int left = n <= ProblemRows ? KakkoRect.width + 1 : 1;
    image->setPen(clRed, PenMode::NotXor);
    image->rectangle(left, 0, image->width() - 1, image->height() - 1);
}

void markRow(RowImages& rows, int n) {
    Canvas* image = rows.findRowImage(n);
    if (image == nullptr) return;
    CanvasFont font = image->font();
    font.colour = clRed;
    image->setFont(font);
    const bool problemRow = n <= ProblemRows;
    image->textOut(image->width() - 20 - (problemRow ? 5 : 0), problemRow ? 3 : 15, cp932("●"));
}

int printPageMessage(RowImages& rows, int equationCount, std::string_view message) {
    // Only equation rows take the message: after the last row the next
    // number would be the first answer image, whose answer it would wipe.
    if (equationCount < 0 || equationCount >= LargestRowNumber) return 0;
    Canvas* image = rows.findRowImage(equationCount + 1);
    if (image == nullptr) return 0;
    image->clear();
    CanvasFont font = image->font();
    font.bold = true;
    font.colour = clFuchsia;
    font.size = PageMessageSize;
    image->setFont(font);
    image->textOut(0, image->height() / 3, message);
    return equationCount + 1;
}

void hoverOverRow(PageState& state, Messages& messages, RowImages& rows, int equationCount, int n,
                  bool blinking) {
    if (blinking || state.hoverFrozen != 0) return;
    if (n > equationCount) {
        hoverOffRows(state, messages, rows);
        return;
    }
    if (n == state.highlightedEquation) return;
    toggleRowOutline(messages, rows, state.highlightedEquation);
    toggleRowOutline(messages, rows, n);
    state.highlightedEquation = n;
}

void hoverOffRows(PageState& state, Messages& messages, RowImages& rows) {
    if (state.hoverFrozen != 0) return;
    toggleRowOutline(messages, rows, state.highlightedEquation);
    state.highlightedEquation = -1;
}

RowClick rowClick(int n, int equationCount, bool rightButton) {
    if (n > equationCount) return RowClick::Nothing;
    return rightButton ? RowClick::Mark : RowClick::Choose;
}

} // namespace tavolini
