// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>

class QPainter;

namespace tavolini {

// A left curly brace filling the box: two arcs meeting in a point at half
// height, pointing left; its stroke is a seventh of the box's width.
void drawBrace(QPainter& painter, QRectF box, QColor ink);

// The brace that stands left of a problem's two equations, 25 x 100.
QImage braceBitmap(QColor ink = Qt::black, QColor paper = Qt::white);

// "[答]" followed by a brace, in front of the two answers, 70 x 100.
QImage answerBraceBitmap();

} // namespace tavolini
