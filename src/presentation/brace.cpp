// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/brace.h"

#include "core/cp932.h"

namespace tavolini {
namespace {

constexpr int AnswerLabelWidth = 50;
constexpr int AnswerLabelPoints = 12;

} // namespace

BraceStroke braceStroke(double left, double top, double width, double height) {
    const double right = left + width;
    const double middle = left + width / 2;
    const double bottom = top + height;
    const double centre = top + height / 2;
    const double bend = width / 2;
    const auto line = [](CurvePoint from, CurvePoint to) { return std::array<CurvePoint, 3>{from, to, to}; };
    return {{right, top},
            {{
                {{{middle, top}, {middle, top + bend}, {middle, top + 2 * bend}}},
                line({middle, top + 2 * bend}, {middle, centre - 2 * bend}),
                {{{middle, centre - bend}, {middle, centre}, {left, centre}}},
                {{{middle, centre}, {middle, centre + bend}, {middle, centre + 2 * bend}}},
                line({middle, centre + 2 * bend}, {middle, bottom - 2 * bend}),
                {{{middle, bottom - bend}, {middle, bottom}, {right, bottom}}},
            }},
            width / 7};
}

void drawAnswerBraceLabel(Canvas& canvas, const TextMeasure& measure) {
    CanvasFont font = clearedSurfaceFont();
    font.face = cp932("ＭＳ ゴシック");
    font.bold = true;
    font.size = AnswerLabelPoints;
    canvas.setFont(font);
    const std::string label = cp932("[答]");
    const int width = measure.textWidth(font, label);
    canvas.textOut((AnswerLabelWidth - width) / 2,
                   (AnswerBraceImage.height - pixelsFromPoints(font.size)) / 2, label);
}

} // namespace tavolini
