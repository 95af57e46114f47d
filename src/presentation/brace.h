// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/canvas.h"
#include "presentation/equation_layout.h"
#include "presentation/page_layout.h"

#include <array>

namespace tavolini {

// The brace beside ① and ②, and the [答] brace of the answer box, as the
// page window draws them, in pixels of the layout.
inline constexpr PageRect BraceImage{0, 0, 25, 100};
inline constexpr PageRect BraceCurve{6, 4, 14, 92};
inline constexpr PageRect AnswerBraceImage{0, 0, 70, 100};
inline constexpr PageRect AnswerBraceCurve{52, 4, 14, 92};

struct CurvePoint {
    double x = 0;
    double y = 0;
};

// The brace's curve in a box: from its start, six cubic pieces (two
// controls and an end each; the straight pieces have their ends as
// controls), drawn with round ends in a pen a seventh of the box wide.
struct BraceStroke {
    CurvePoint start;
    std::array<std::array<CurvePoint, 3>, 6> pieces;
    double penWidth = 0;
};
BraceStroke braceStroke(double left, double top, double width, double height);

// "[答]" in bold Gothic, centred in the image's left part; the brace goes beside it.
void drawAnswerBraceLabel(Canvas& canvas, const TextMeasure& measure);

} // namespace tavolini
