// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QApplication>
#include <memory>

namespace tavolini {

// The application on the window system Qt is asked for. Where it cannot be
// reached (no DISPLAY, a display that does not answer, a platform with no
// plugin) Qt would abort; instead this says so on standard error, naming the
// platform and the display, with a hint, and ends the program with status 1.
std::unique_ptr<QApplication> openDisplay(int& argc, char** argv);

} // namespace tavolini
