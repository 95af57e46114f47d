// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tavolini {

// The window boundary: the program's code page 932 texts to and from Qt's
// strings. Bytes that are not valid code page 932 show as U+FFFD.
QString fromCp932(std::string_view text);
std::string toCp932(const QString& text);

} // namespace tavolini
