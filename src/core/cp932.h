// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavolini {

// The program's texts are code page 932 bytes; the sources are UTF-8. These
// convert between the two. A character that has no counterpart becomes '?',
// so a conversion never fails.
std::string cp932(std::string_view utf8);
std::string utf8FromCp932(std::string_view cp932Text);

// Code page 932 one character at a time, from a table of our own. A code is
// a single byte, or a lead byte and its trail as lead << 8 | trail. Beside
// the characters of code page 932 text, the single bytes 0x80, 0xA0 and 0xFD
// to 0xFF read as Windows reads them (U+0080, U+F8F0 to U+F8F3); the
// conversions above, like isCp932Text, leave them out.
std::optional<char16_t> decodeCp932(std::uint16_t code);

// The code a character is written as. Where it has several, the one Windows
// writes: JIS X 0208's rows first, then NEC's row 13, IBM's extensions, and
// NEC's copies of those last. A few look-alikes that input methods type
// (〜 ‖ − — ¢ £ ¬ ¦) are written as code page 932's own character.
std::optional<std::uint16_t> encodeCp932(char32_t c);

// The character at `i` of code page 932 bytes, decoded as above, with `i`
// moved past it. Nothing for a byte that reads as no character; a lead byte
// without a trail it pairs with is such a byte, and the next is read afresh.
std::optional<char16_t> nextCp932(std::string_view text, std::size_t& i);

// Appends a code's bytes: one, or the lead and the trail.
void appendCp932(std::string& out, std::uint16_t code);

// UTF-8 one character at a time: the code point at `i`, with `i` moved past
// it; nothing for a broken, overlong or surrogate sequence, with `i` moved
// past it and the continuation bytes after it.
std::optional<char32_t> nextUtf8(std::string_view text, std::size_t& i);
void appendUtf8(std::string& out, char16_t c);

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

// A control byte a line of text may not hold: below 0x20 but tab, CR and LF,
// or DEL. None shows in an editor or a message box.
constexpr bool isControlByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b < 0x20 && c != '\t' && c != '\r' && c != '\n') || b == 0x7F;
}

// "0x1B", "0x8140": bytes as a message names them, whatever they are.
std::string hexBytes(std::string_view bytes);

// Text as a code page 932 file holds it: no NUL, and every character one the
// code page assigns (as decodeCp932 reads it, Windows's own single bytes
// left out). Lead and trail bytes in range are not enough: UTF-8 text often
// pairs into codes that hold no character.
bool isCp932Text(std::string_view bytes);

} // namespace tavolini
