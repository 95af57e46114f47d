// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/parser.h"
#include "desktop/drawing/qimage_canvas.h"
#include "presentation/page_rows.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace tavolini {
namespace {

// One step row of a 1024-pixel screen.
class OneRow final : public RowImages {
  public:
    OneRow() : m_canvas(QSize(415, 69), QSize(415, 70)) {}
    Canvas* findRowImage(int n) override { return n == RowNumber ? &m_canvas : nullptr; }
    static constexpr int RowNumber = 5;

  private:
    QImageCanvas m_canvas;
};

void showStep(benchmark::State& state, const char* text) {
    Messages messages;
    Algebra algebra;
    LayoutState layout;
    OneRow row;
    MShiki& equation = algebra.EquationTable[OneRow::RowNumber];
    if (!parseEquation(algebra, equation, text, messages) || equation.count != 10) {
        state.SkipWithError("the equation must parse to 10 tokens");
        return;
    }
    equation.stepText = cp932("⑤式を移項すると");
    PageRows page{algebra, layout, row, messages};
    Canvas* image = row.findRowImage(OneRow::RowNumber);
    for (auto _ : state)
        showEquation(page, image, OneRow::RowNumber, clBlack);
}
BENCHMARK_CAPTURE(showStep, ten_tokens_with_a_fraction, "x+y=1/2(x-y)+1+x")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(showStep, ten_tokens_drawn_again_compact, "1/2x+3y-4x+5y-6x+y=7+8-9")
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tavolini

// Text is drawn with Qt's fonts, which need a GUI application; the offscreen
// platform needs no display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
