// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace tavolini {

// The window boundary: the program's code page 932 texts to and from Qt's
// strings, exactly as code page 932 has them. Bytes that are not code page
// 932 show as U+FFFD; a character it has no place for becomes '?'.
QString fromCp932(std::string_view text);
std::string toCp932(const QString& text);

// The text in code page 932 only when every character has a place there;
// nothing for a text that would lose a character on the way.
std::optional<std::string> toCp932Exactly(const QString& text);

// A text of the program's own, as written in the sources (UTF-8), for a window.
inline QString uiText(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace tavolini
