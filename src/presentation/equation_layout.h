// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "presentation/canvas.h"

#include <string>
#include <string_view>

namespace tavolini {

// The two font holders of the main window: the equations' numbers and
// letters, and the equation labels.
CanvasFont numberFontDefault(); // 'Bookman Old Style', italic, ANSI, black
CanvasFont labelFontDefault();  // 'ＭＳ Ｐゴシック'

// The state the equation layout keeps between drawings. A cell is one byte
// of text; its width is chosen by every drawing and read by the helpers.
struct LayoutState {
    int cellWidth = 9;
    CanvasFont fntNum = numberFontDefault();
    CanvasFont fntKnj = labelFontDefault();
};

// Images taller than the problem rows (50 pixels) get the step layout.
inline constexpr int ProblemRowHeight = 50;
// An equation that needs this many cells is drawn again compact.
inline constexpr int CellLimit = 30;
// Equations of this many tokens are drawn small even when not compact.
inline constexpr int SmallTokenCount = 12;

struct TokenTexts {
    std::string numerator;
    std::string denominator;

    friend bool operator==(const TokenTexts&, const TokenTexts&) = default;
};

// Draws equation `e` into the image as one line of cells: numbers and signs
// on the middle row, fractions stacked, the slot's prefix first. Draws over
// what the image holds; the caller clears it. True when fewer than 30 cells
// were used, so the equation fits its image.
bool renderEquation(Canvas& image, LayoutState& layout, const Algebra& algebra, int slot, bool compact,
                    const MShiki& e);

// One item at cell x: nothing for an empty top, a single line without a
// bottom, else top over a bar over bottom, centred. Answers the cells used.
int drawCellItem(Canvas& image, const LayoutState& layout, std::string_view top, std::string_view bottom,
                 int x);

// Text row r: 0 numerators, 1 single lines, 2 denominators.
void drawRowText(Canvas& image, int p, int r, std::string_view text);
void drawFractionBar(Canvas& image, int p, int length);

// The y of text row r and of the fraction bar for an image's height.
int textRowY(int height, int r);
int fractionBarY(int height);

// A token's numerator and denominator as digits without sign; the
// coefficient of a term is not written when it is 0, 1 or -1.
TokenTexts tokenStrings(ShikiToken t);
TokenTexts fractionStrings(std::int32_t den, std::int32_t num);

// The value as a decimal of at most four places, without sign; empty for
// integers, zero and values that need more places.
std::string decimalText(ShikiToken t);

// Whether a positive value at index i is written with a "+".
bool needsSign(const MShiki& e, int i);

// The text before an equation of this slot and the cells it takes.
std::string slotPrefix(int slot);

} // namespace tavolini
