// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QColor>
#include <QImage>

namespace tavolini {

// The brace that stands left of a problem's two equations, 25 x 100.
QImage braceBitmap(QColor ink = Qt::black, QColor paper = Qt::white);

// "[答]" followed by a brace, in front of the two answers, 70 x 100.
QImage answerBraceBitmap();

} // namespace tavolini
