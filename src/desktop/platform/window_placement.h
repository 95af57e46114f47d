// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace tavolini {

// A window's frame moved, and shrunk where it must be, so that it lies within
// `available`: its title bar and close box can always be seen and dragged.
QRect fitWithin(const QRect& frame, const QRect& available);

// The client area that puts a window's frame within `available`, as near to
// `wantedClient` as fits.
QRect placedClient(const QRect& wantedClient, const QMargins& frame, const QRect& available);

// Places a top-level window, frame and all, within the available part of its
// screen (without panels and task bars), as near to `wantedClient` as fits.
// The frame is known only once the window manager has put it around the
// window; the window is then placed again if its frame does not fit, and only
// then: where the user moves it afterwards, it stays.
void placeOnScreen(QWidget& window, const QRect& wantedClient);

// The window, at its size, centred on the available part of its screen.
void centreOnScreen(QWidget& window);

} // namespace tavolini
