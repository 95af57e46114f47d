// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string_view>

namespace tavolini {

// The faces the design calls for are Windows faces. We ship free families in
// their place and ask for those by name: asking by the Windows name would
// send a toolkit searching every installed font for a stand-in.
enum class Face {
    Equation, // 'Bookman Old Style': TeX Gyre Bonum
    PGothic,  // 'ＭＳ Ｐゴシック', proportional: IPAPGothic
    Gothic,   // 'ＭＳ ゴシック', equal width: IPAGothic
};

// The face a design name (code page 932) stands for; the proportional
// Gothic for a name the design does not use.
Face faceOfDesignName(std::string_view name);

// The family shipped for the face.
const char* shippedFamilyName(Face face);

} // namespace tavolini
