// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/canvas.h"

#include "core/cp932.h"
#include "core/design_faces.h"

namespace tavolini {

bool drawsMinusSign(const CanvasFont& font) {
    return faceOfDesignName(font.face) == Face::Equation;
}

CanvasFont clearedSurfaceFont() {
    CanvasFont font;
    font.face = cp932("ＭＳ Ｐゴシック");
    font.charset = ShiftJisCharset;
    return font;
}

} // namespace tavolini
