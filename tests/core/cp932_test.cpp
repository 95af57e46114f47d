// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <set>
#include <vector>

namespace tavolini {
namespace {

// glibc's iconv, the desktop's code page 932, to check our table against.
class Iconv {
  public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(cd_);
    }
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // The whole input converted; nothing when iconv refuses any of it.
    std::optional<std::string> operator()(std::string input) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* in = input.data();
        char* out = buffer;
        std::size_t inLeft = input.size(), outLeft = sizeof buffer;
        if (iconv(cd_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
            return std::nullopt;
        return std::string(buffer, out);
    }

  private:
    iconv_t cd_;
};

std::string bytesOf(std::uint16_t code) {
    if (code < 0x100) return std::string(1, static_cast<char>(code));
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::string utf32(char32_t c) {
    return {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF), static_cast<char>(c >> 16), '\0'};
}

std::vector<std::uint16_t> everyCode() {
    std::vector<std::uint16_t> codes;
    for (unsigned code = 0; code < 0x100; ++code)
        codes.push_back(static_cast<std::uint16_t>(code));
    for (unsigned code = 0x8100; code <= 0xFCFF; ++code)
        if (isCp932LeadByte(static_cast<char>(code >> 8))) codes.push_back(static_cast<std::uint16_t>(code));
    return codes;
}

// Every code reads as glibc reads it, and every character is written as glibc
// writes it (of a character's several codes, the one Windows writes): but
// for Windows's own single bytes and ¦, which glibc refuses.
TEST(Cp932, ReadsAndWritesEveryCodeAsGlibcDoes) {
    Iconv decoder("UTF-32LE", "CP932"), encoder("CP932", "UTF-32LE");
    if (!decoder.ok() || !encoder.ok()) GTEST_SKIP() << "this libc's iconv has no CP932";
    int singleBytes = 0, doubleBytes = 0;
    std::set<char32_t> characters;
    std::vector<std::uint16_t> readOnlyByUs;
    for (const std::uint16_t code : everyCode()) {
        const std::optional<char16_t> c = decodeCp932(code);
        const std::optional<std::string> glibc = decoder(bytesOf(code));
        if (!c) {
            EXPECT_FALSE(glibc) << std::hex << code;
            continue;
        }
        (code < 0x100 ? singleBytes : doubleBytes)++;
        characters.insert(*c);
        if (glibc)
            EXPECT_EQ(*glibc, utf32(*c)) << std::hex << code;
        else
            readOnlyByUs.push_back(code);
        // Whichever code it is written as reads back as the character.
        const std::optional<std::uint16_t> written = encodeCp932(*c);
        ASSERT_TRUE(written) << std::hex << code;
        EXPECT_EQ(decodeCp932(*written), c) << std::hex << code;
    }
    EXPECT_EQ(readOnlyByUs, (std::vector<std::uint16_t>{0x80, 0xA0, 0xFD, 0xFE, 0xFF}));
    EXPECT_EQ(singleBytes, 196);
    EXPECT_EQ(doubleBytes, 9604);

    for (const char32_t c : {U'〜', U'‖', U'−', U'—', U'¢', U'£', U'¬', U'¦'})
        characters.insert(c);
    std::vector<char32_t> writtenOnlyByUs;
    int encodable = 0;
    for (char32_t c = 0; c < 0x11000; ++c) {
        const std::optional<std::uint16_t> code = encodeCp932(c);
        EXPECT_EQ(code.has_value(), characters.count(c) == 1) << std::hex << static_cast<std::uint32_t>(c);
        if (!code) continue;
        ++encodable;
        if (const std::optional<std::string> glibc = encoder(utf32(c)))
            EXPECT_EQ(*glibc, bytesOf(*code)) << std::hex << static_cast<std::uint32_t>(c);
        else
            writtenOnlyByUs.push_back(c);
    }
    EXPECT_EQ(writtenOnlyByUs, (std::vector<char32_t>{U'\u0080', U'¦', 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3}));
    EXPECT_EQ(encodable, 196 + 9206 + 8);
}

// A character with several codes takes the one Windows writes; the
// look-alikes are written as code page 932's character and read back as it.
TEST(Cp932, WritesTheCodeWindowsWrites) {
    struct Row {
        const char* utf8;
        std::string bytes;
        const char* readBack;
    };
    const Row rows[] = {
        {"≒", "\x81\xE0", "≒"},   // JIS X 0208, not NEC's row 13
        {"∵", "\x81\xE6", "∵"},   // JIS X 0208, not row 13 or IBM's
        {"Ⅰ", "\x87\x54", "Ⅰ"},   // row 13, not IBM's
        {"ⅰ", "\xFA\x40", "ⅰ"},   // IBM's, not NEC's copy
        {"纊", "\xFA\x5C", "纊"}, // IBM's, not NEC's copy
        {"￢", "\x81\xCA", "￢"}, // JIS X 0208, not IBM's or NEC's copy
        {"〜‖", "\x81\x60\x81\x61", "～∥"},
        {"−—", "\x81\x7C\x81\x5C", "－―"},
        {"¢£¬¦", "\x81\x91\x81\x92\x81\xCA\xFA\x55", "￠￡￢￤"},
        {"｢ｱ･\\~", "\xA2\xB1\xA5\\~", "｢ｱ･\\~"},
        {"\uE000\uE757", "\xF0\x40\xF9\xFC", "\uE000\uE757"},
        // What code page 932 text has no place for, or broken UTF-8, becomes '?'.
        {"¥‾\u0080\uF8F3🙂", "?????", "?????"},
        {"a\xE3\x81"
         "b\x80\x80"
         "c\xC0\xAF"
         "d\xED\xA0\x80",
         "a?b?c?d?", "a?b?c?d?"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(cp932(row.utf8), row.bytes) << row.utf8;
        EXPECT_EQ(utf8FromCp932(row.bytes), row.readBack) << row.utf8;
    }
}

TEST(Cp932, ReadsWhatTextHoldsAndMarksTheRest) {
    const std::pair<std::string, std::string> rows[] = {
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"\x87\x90\xED\x40\xEE\xEF", "≒纊ⅰ"}, // every copy reads as its character
        {"\x80\xA0\xFD\xFE\xFF", "?????"},    // Windows's own single bytes
        {"\x81\xAD\x81 \x85\x40\x82", "?ｭ? ?@?"},
    };
    for (const auto& [bytes, utf8] : rows)
        EXPECT_EQ(utf8FromCp932(bytes), utf8);
}

} // namespace
} // namespace tavolini
