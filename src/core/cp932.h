// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string>
#include <string_view>

namespace tavolini {

// The program's texts are code page 932 bytes; the sources are UTF-8. These
// convert between the two. A character that has no counterpart becomes '?',
// so a conversion never fails.
std::string cp932(std::string_view utf8);
std::string utf8FromCp932(std::string_view cp932Text);

// The first byte of a double-byte character in code page 932.
constexpr bool isCp932LeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// A byte that can follow a lead byte in code page 932.
constexpr bool isCp932TrailByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Text as a code page 932 file holds it: no NUL, every byte a single-byte
// character or a lead byte with its trail byte.
bool isCp932Text(std::string_view bytes);

} // namespace tavolini
