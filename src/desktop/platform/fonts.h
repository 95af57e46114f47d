// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/design_faces.h"

#include <QFont>

namespace tavolini {

QString shippedFamily(Face face);

QFont shippedFont(Face face, int pixelSize);

// The equal-width Gothic for texts in which the pupil reads numbers.
// IPAGothic draws its half-width zero slashed, 'ＭＳ ゴシック' does not:
// BIZ UDGothic, equal width too and with a plain zero, comes first, and
// IPAGothic draws what it lacks.
QFont plainZeroGothicFont(int pixelSize);

} // namespace tavolini
