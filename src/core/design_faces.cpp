// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/design_faces.h"

#include "core/cp932.h"

namespace tavolini {

Face faceOfDesignName(std::string_view name) {
    if (name == "Bookman Old Style") return Face::Equation;
    static const std::string gothic = cp932("ＭＳ ゴシック");
    if (name == gothic) return Face::Gothic;
    return Face::PGothic;
}

const char* shippedFamilyName(Face face) {
    switch (face) {
    case Face::Equation:
        return "TeX Gyre Bonum";
    case Face::Gothic:
        return "IPAGothic";
    case Face::PGothic:
        break;
    }
    return "IPAPGothic";
}

} // namespace tavolini
