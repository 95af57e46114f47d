// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "presentation/canvas.h"

#include <array>
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

// A size an equation is drawn in: its font's points and the pixels of a cell.
struct EquationSize {
    int points;
    int cellWidth;

    friend bool operator==(const EquationSize&, const EquationSize&) = default;
};

// The sizes an equation may be drawn in, widest first. The first is the
// usual size, the fourth that of long and compact equations; below it the
// font shrinks faster than the cell, so that numbers of three digits stay
// clear of their neighbours. The last is the smallest still read easily (as
// large as the window's own text).
inline constexpr std::array<EquationSize, 8> EquationSizes{
    {{14, 10}, {13, 9}, {12, 8}, {12, 7}, {10, 7}, {10, 6}, {9, 6}, {9, 5}}};
inline constexpr EquationSize LargeEquation = EquationSizes[0];
inline constexpr EquationSize SmallEquation = EquationSizes[3];
inline constexpr EquationSize SmallestEquation = EquationSizes.back();

// How wide a text is drawn in a font: from the point it is drawn at to the
// right edge of its ink. Without a toolkit to ask, every byte counts two
// thirds of the font's em, which no face we ship exceeds in the equations'
// digits and letters.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual int textWidth(const CanvasFont& font, std::string_view text) const;
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

// The same in the size given. Answers the cells used.
int drawEquation(Canvas& image, LayoutState& layout, const Algebra& algebra, int slot, EquationSize size,
                 const MShiki& e);

// Equation `e` as one line of text, in the items it is drawn in: "2x+y=7",
// a fraction written "3分の2" (code page 932), for a screen reader.
std::string equationText(const Algebra& algebra, const MShiki& e);

// The size renderEquation draws in.
EquationSize naturalSize(const MShiki& e, bool compact);

// Where the ink of equation `e` ends (one past its last pixel) when drawn on
// the image, as it stands, in the size.
int equationRight(const TextMeasure& measure, const Canvas& image, const LayoutState& layout,
                  const Algebra& algebra, int slot, EquationSize size, const MShiki& e);

struct EquationFit {
    EquationSize size;
    bool compact = false; // smaller than the usual size: the row shows its step sentence

    friend bool operator==(const EquationFit&, const EquationFit&) = default;
};

// The largest size in which `e`, drawn on the image, ends at or before
// `right`: its usual size when it fits there and needs fewer than 30 cells,
// else a smaller one, compact; the smallest when none ends in time.
EquationFit fitEquation(const TextMeasure& measure, const Canvas& image, const LayoutState& layout,
                        const Algebra& algebra, int slot, const MShiki& e, int right);

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
TokenTexts fractionStrings(std::int32_t num, std::int32_t den);

// The value as a decimal of at most four places, without sign; empty for
// integers, zero and values that need more places.
std::string decimalText(ShikiToken t);

// Whether a positive value at index i is written with a "+".
bool needsSign(const MShiki& e, int i);

// The text before an equation of this slot and the cells it takes.
std::string slotPrefix(int slot);

} // namespace tavolini
