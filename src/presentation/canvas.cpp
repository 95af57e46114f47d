// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/canvas.h"

#include "core/cp932.h"
#include "core/design_faces.h"

namespace tavolini {

bool drawsMinusSign(const CanvasFont& font) {
    return faceOfDesignName(font.face) == Face::Equation;
}

std::string shownUtf8(const CanvasFont& font, std::string_view text) {
    std::string shown = utf8FromCp932(text);
    if (!drawsMinusSign(font)) return shown;
    std::string withSigns;
    for (const char c : shown)
        withSigns += c == '-' ? std::string("\xE2\x88\x92") : std::string(1, c);
    return withSigns;
}

CanvasFont clearedSurfaceFont() {
    CanvasFont font;
    font.face = cp932("ＭＳ Ｐゴシック");
    font.charset = ShiftJisCharset;
    return font;
}

} // namespace tavolini
