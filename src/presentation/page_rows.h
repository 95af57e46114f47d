// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "presentation/canvas.h"
#include "presentation/equation_layout.h"
#include "presentation/page_state.h"

#include <string_view>

namespace tavolini {

// The page's images by equation number: rows 1 to 24 or 32, and the
// answers 33 and 34; they measure text as they draw it.
class RowImages : public TextMeasure {
  public:
    virtual ~RowImages() = default;
    virtual Canvas* findRowImage(int n) = 0;
};

// How a row's equation was last drawn: as a step (with its sentence above
// it) or not, and in which colour. A printout draws it again so.
struct RowDrawing {
    bool step = false;
    Colour colour = clBlack;
};

// Everything the drawing of rows works with.
struct PageRows {
    Algebra& algebra;
    LayoutState& layout;
    RowImages& rows;
    Messages& messages; // what the drawing reports, for the window to show
};

// Clears the image and draws table slot n into it in the colour; an
// equation that would reach its label (or the answer's right edge) is drawn
// smaller, compact, under its step sentence. Then the label. With no image
// the number is reported in `page.messages`.
void showEquation(PageRows& page, Canvas* image, int n, Colour colour);

// showEquation for a step: its sentence stands above it in black, written
// once, also when the equation is drawn compact.
void showStep(PageRows& page, Canvas* image, int n, Colour colour);

// Text row r (1 to 4) of row n, 16 pixels apart, in 12 points.
void writeRowText(RowImages& rows, int n, int r, std::string_view text, Colour colour);

// The label of n (①, (21)) at the row's right end; none for the answers.
void drawRowLabel(PageRows& page, int n);

// The red outline of row n, drawn in not-xor so that a second call takes
// it away again and leaves the row as it was.
void toggleRowOutline(Messages& messages, RowImages& rows, int n);

// A red "●" at the upper right of row n.
void markRow(RowImages& rows, int n);

// Prints the page message on the row of the next equation; answers that row,
// or 0 when there is none.
int printPageMessage(RowImages& rows, int equationCount, std::string_view message);

// The mouse over row n: the outline follows it onto rows that hold an
// equation and leaves when it reaches an empty one.
void hoverOverRow(PageState& state, Messages& messages, RowImages& rows, int equationCount, int n,
                  bool blinking);

// The mouse over the page's background, the brace or the main window.
void hoverOffRows(PageState& state, Messages& messages, RowImages& rows);

enum class RowClick { Nothing, Mark, Choose };

// What a click on row n does: nothing on an empty row, a mark with the
// right button, the equation's choice with any other.
RowClick rowClick(int n, int equationCount, bool rightButton);

} // namespace tavolini
