// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/canvas.h"
#include "presentation/page_layout.h"

#include <QColor>
#include <QRect>

namespace tavolini {

// The layout's rectangles and colours as Qt takes them.
inline QRect qtRect(const PageRect& r) {
    return {r.left, r.top, r.width, r.height};
}
inline QColor qtColour(Colour c) {
    return {c.r, c.g, c.b};
}

} // namespace tavolini
