// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/canvas.h"

#include "core/cp932.h"

namespace tavolini {

CanvasFont clearedSurfaceFont() {
    CanvasFont font;
    font.face = cp932("ＭＳ Ｐゴシック");
    font.charset = ShiftJisCharset;
    return font;
}

} // namespace tavolini
