// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

class QWidget;

namespace tavolini {

// What the driver does with the controls of a window it works: a button
// pressed (and what it set off run), the lines of a list printed, each after
// `prefix`, and the window's caption printed as "dialog: CAPTION".
void press(QWidget& window, const char* button);
void printList(QWidget& window, const char* list, const char* prefix);
void printCaption(QWidget& window);

} // namespace tavolini
