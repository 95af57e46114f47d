// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QFont>
#include <string_view>

namespace tavolini {

// The faces the design calls for are Windows faces. We ship free families in
// their place and ask for those by name: asking by the Windows name would
// send Qt searching every installed font for a stand-in.
enum class Face {
    Equation, // 'Bookman Old Style': TeX Gyre Bonum
    PGothic,  // 'ＭＳ Ｐゴシック', proportional: IPAPGothic
    Gothic,   // 'ＭＳ ゴシック', equal width: IPAGothic
};

QString shippedFamily(Face face);

// The face a design name (code page 932) stands for; the proportional
// Gothic for a name the design does not use.
Face faceOfDesignName(std::string_view name);

QFont shippedFont(Face face, int pixelSize);

// The equal-width Gothic for texts in which the pupil reads numbers.
// IPAGothic draws its half-width zero slashed, 'ＭＳ ゴシック' does not:
// BIZ UDGothic, equal width too and with a plain zero, comes first, and
// IPAGothic draws what it lacks.
QFont plainZeroGothicFont(int pixelSize);

} // namespace tavolini
