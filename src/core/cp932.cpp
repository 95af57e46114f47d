// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"

#include <array>
#include <utility>

namespace tavolini {

// The decode table, generated into cp932_table.cpp.
namespace cp932_table {
extern const char16_t SingleBytes[256];
extern const char16_t* const Rows[0xFC - 0x81 + 1]; // per lead byte from 0x81; null for none
} // namespace cp932_table

namespace {

constexpr unsigned FirstLead = 0x81;
constexpr unsigned FirstTrail = 0x40; // a row's first entry
constexpr char Substitute = '?';

// Characters that input methods type, or that JIS X 0208 and IBM's tables
// give, where code page 932 keeps the same character under another code
// point. They are written as that character; reading it back gives code page
// 932's code point.
constexpr std::array<std::pair<char16_t, std::uint16_t>, 8> Equivalents{{
    {u'\u301C', 0x8160}, // 〜, read back as ～ U+FF5E
    {u'\u2016', 0x8161}, // ‖, as ∥ U+2225
    {u'\u2212', 0x817C}, // −, as － U+FF0D
    {u'\u2014', 0x815C}, // —, as ― U+2015
    {u'\u00A2', 0x8191}, // ¢, as ￠ U+FFE0
    {u'\u00A3', 0x8192}, // £, as ￡ U+FFE1
    {u'\u00AC', 0x81CA}, // ¬, as ￢ U+FFE2
    {u'\u00A6', 0xFA55}, // ¦, as ￤ U+FFE4
}};

// Which of a character's codes Windows writes: the lowest rank, and of
// those the first code. The user-defined area (0xF0 to 0xF9) has no copies.
int rank(unsigned lead) {
    if (lead == 0x87) return 1;                 // NEC's row 13
    if (lead >= 0xFA) return 2;                 // IBM's extensions
    if (lead == 0xED || lead == 0xEE) return 3; // NEC's copies of IBM's
    return 0;                                   // single bytes, JIS X 0208
}

// A byte that Windows reads but code page 932 text does not hold.
bool isWindowsOnlyByte(unsigned char b) {
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The code point of the UTF-8 sequence at the start of the text (not empty),
// nothing for a broken, overlong or surrogate one.
std::optional<char32_t> readUtf8(std::string_view text, std::size_t& length) {
    const auto b = static_cast<unsigned char>(text[0]);
    length = 1;
    if (b < 0x80) return b;
    const std::size_t size = b >= 0xF5 ? 0 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
    if (size == 0) return std::nullopt;
    char32_t c = b & (0x7Fu >> size);
    for (; length < size; ++length) {
        if (length == text.size() || !isUtf8Continuation(text[length])) return std::nullopt;
        c = c << 6 | (static_cast<unsigned char>(text[length]) & 0x3Fu);
    }
    constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < Least[size] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    return c;
}

// Every character's code, built from the decode table when first wanted:
// 0 for none, but for NUL.
using EncodeTable = std::array<std::uint16_t, 0x10000>;

EncodeTable buildEncodeTable() {
    EncodeTable table{};
    for (unsigned b = 1; b < 0x100; ++b)
        if (const char16_t c = cp932_table::SingleBytes[b]) table[c] = static_cast<std::uint16_t>(b);
    for (unsigned lead = FirstLead; lead < FirstLead + std::size(cp932_table::Rows); ++lead) {
        const char16_t* row = cp932_table::Rows[lead - FirstLead];
        for (unsigned trail = FirstTrail; row && trail < 0x100; ++trail) {
            const char16_t c = row[trail - FirstTrail];
            if (c != 0 && (table[c] == 0 || rank(lead) < rank(table[c] >> 8)))
                table[c] = static_cast<std::uint16_t>(lead << 8 | trail);
        }
    }
    for (const auto& [c, code] : Equivalents)
        if (table[c] == 0) table[c] = code;
    return table;
}

} // namespace

std::optional<char16_t> decodeCp932(std::uint16_t code) {
    if (code < 0x100) {
        if (isCp932LeadByte(static_cast<char>(code))) return std::nullopt;
        return cp932_table::SingleBytes[code];
    }
    const unsigned lead = code >> 8, trail = code & 0xFF;
    if (!isCp932LeadByte(static_cast<char>(lead)) || trail < FirstTrail) return std::nullopt;
    const char16_t* row = cp932_table::Rows[lead - FirstLead];
    if (!row || row[trail - FirstTrail] == 0) return std::nullopt;
    return row[trail - FirstTrail];
}

std::optional<std::uint16_t> encodeCp932(char32_t c) {
    static const EncodeTable table = buildEncodeTable();
    if (c == 0) return 0;
    if (c >= table.size() || table[c] == 0) return std::nullopt;
    return table[c];
}

std::optional<char16_t> nextCp932(std::string_view text, std::size_t& i) {
    const auto b = static_cast<unsigned char>(text[i++]);
    if (!isCp932LeadByte(static_cast<char>(b))) return decodeCp932(b);
    if (i == text.size()) return std::nullopt;
    const std::optional<char16_t> c =
        decodeCp932(static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(text[i])));
    if (c) ++i;
    return c;
}

void appendCp932(std::string& out, std::uint16_t code) {
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

std::optional<char32_t> nextUtf8(std::string_view text, std::size_t& i) {
    std::size_t length = 1;
    const std::optional<char32_t> c = readUtf8(text.substr(i), length);
    if (c) {
        i += length;
        return c;
    }
    for (++i; i < text.size() && isUtf8Continuation(text[i]);)
        ++i;
    return std::nullopt;
}

void appendUtf8(std::string& out, char16_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string cp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        const std::optional<char32_t> c = readUtf8(utf8.substr(i), length);
        const std::optional<std::uint16_t> code = c ? encodeCp932(*c) : std::nullopt;
        if (!code || (*code < 0x100 && isWindowsOnlyByte(static_cast<unsigned char>(*code)))) {
            // The character, or a broken sequence, is skipped with the continuation bytes after it.
            out += Substitute;
            for (++i; i < utf8.size() && isUtf8Continuation(utf8[i]);)
                ++i;
            continue;
        }
        appendCp932(out, *code);
        i += length;
    }
    return out;
}

std::string utf8FromCp932(std::string_view cp932Text) {
    std::string out;
    out.reserve(cp932Text.size() * 3 / 2);
    for (std::size_t i = 0; i < cp932Text.size();) {
        const bool windowsOnly = isWindowsOnlyByte(static_cast<unsigned char>(cp932Text[i]));
        const std::optional<char16_t> c = nextCp932(cp932Text, i);
        if (c && !windowsOnly) {
            appendUtf8(out, *c);
        } else {
            out += Substitute;
        }
    }
    return out;
}

std::string hexBytes(std::string_view bytes) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string name = "0x";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        name += Hex[b >> 4];
        name += Hex[b & 0x0F];
    }
    return name;
}

bool isCp932Text(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == 0 || isWindowsOnlyByte(b) || !nextCp932(bytes, i)) return false;
    }
    return true;
}

} // namespace tavolini
