// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/equation_labels.h"
#include "platform/text_codec.h"

#include <QSet>
#include <gtest/gtest.h>
#include <utility>

namespace tavolini {
namespace {

// The core converts its UTF-8 literals and the windows their QStrings, each
// by its own path through the core's table: both must agree on every
// character the program shows.
TEST(TextCodec, QtAndTheCoreAgreeOnTheProgramsCharacters) {
    const char* samples[] = {
        "①②⑩⑳",
        "(21)",
        "0 で割ることはできません",
        "整数部と小数部の合計桁数は５以内です",
        "分の",
        "｢･｣ｱｲｳﾌｧｲﾙ",
        "＋－×÷",
        "★",
        "問題が不正です",
        "ABC xyz 123 +-=()[]{}|/.*",
    };
    for (const char* utf8 : samples) {
        const std::string bytes = cp932(utf8);
        EXPECT_EQ(fromCp932(bytes), QString::fromUtf8(utf8)) << utf8;
        EXPECT_EQ(toCp932(QString::fromUtf8(utf8)), bytes) << utf8;
    }
    for (const std::string& label : EquationLabels())
        EXPECT_EQ(toCp932(fromCp932(label)), label);
}

TEST(TextCodec, HalfWidthCornerBracketsAreSingleBytes) {
    EXPECT_EQ(toCp932(QStringLiteral(u"｢｣･")), "\xA2\xA3\xA5");
    EXPECT_EQ(cp932("｢｣･"), "\xA2\xA3\xA5");
}

// Each character as code page 932 writes it, and what reading those bytes
// gives: the input methods' and JIS X 0208's variants become code page 932's
// own, a character with several codes takes the one Windows writes.
TEST(TextCodec, WritesEachCharacterAsCodePage932HoldsIt) {
    struct Row {
        const char16_t* text;
        std::string bytes;
        const char16_t* readBack;
    };
    const Row rows[] = {
        {u"〜", "\x81\x60", u"～"},
        {u"～", "\x81\x60", u"～"},
        {u"‖", "\x81\x61", u"∥"},
        {u"−", "\x81\x7C", u"－"},
        {u"—", "\x81\x5C", u"―"},
        {u"¢", "\x81\x91", u"￠"},
        {u"£", "\x81\x92", u"￡"},
        {u"¬", "\x81\xCA", u"￢"},
        {u"¦", "\xFA\x55", u"￤"},
        {u"①", "\x87\x40", u"①"},
        {u"≒", "\x81\xE0", u"≒"},
        {u"Ⅰ", "\x87\x54", u"Ⅰ"},
        {u"ⅰ", "\xFA\x40", u"ⅰ"},
        {u"纊", "\xFA\x5C", u"纊"},
        {u"＼\\~ｱ･", "\x81\x5F\\~\xB1\xA5", u"＼\\~ｱ･"},
        {u"\uE000", "\xF0\x40", u"\uE000"},
        {u"\x1A\x1C\x7F\u0080\uF8F0\uF8F3", "\x1A\x1C\x7F\x80\xA0\xFF", u"\x1A\x1C\x7F\u0080\uF8F0\uF8F3"}};
    for (const Row& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(toCp932Exactly(text), row.bytes) << text.toStdString();
        EXPECT_EQ(toCp932(text), row.bytes) << text.toStdString();
        EXPECT_EQ(firstUnencodable(text), 0u) << text.toStdString();
        EXPECT_EQ(fromCp932(row.bytes), QString::fromUtf16(row.readBack)) << text.toStdString();
    }
}

// A character with two codes reads the same from both; written again it
// takes the code Windows writes.
TEST(TextCodec, ReadsEveryCodeOfACharacter) {
    const std::pair<std::string, std::string> rows[] = {
        {"\x87\x90", "\x81\xE0"}, {"\xED\x40", "\xFA\x5C"}, {"\xEE\xEF", "\xFA\x40"},
        {"\xFA\x4A", "\x87\x54"}, {"\xEE\xF9", "\x81\xCA"}, {"\xFA\x54", "\x81\xCA"},
    };
    for (const auto& [read, written] : rows) {
        EXPECT_EQ(fromCp932(read), fromCp932(written));
        EXPECT_EQ(toCp932(fromCp932(read)), written);
    }
    // Every double-byte code: as many as code page 932 has, each read back from what it writes.
    int codes = 0;
    QSet<QString> characters;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isCp932LeadByte(static_cast<char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QString c = fromCp932(std::string{static_cast<char>(lead), static_cast<char>(trail)});
            if (c.size() != 1 || c == QStringLiteral(u"\uFFFD")) continue;
            ++codes;
            characters.insert(c);
            const std::optional<std::string> written = toCp932Exactly(c);
            ASSERT_TRUE(written && fromCp932(*written) == c) << std::hex << lead << ' ' << trail;
        }
    }
    EXPECT_EQ(codes, 9604);
    EXPECT_EQ(characters.size(), 9206);
}

TEST(TextCodec, NamesTheFirstCharacterItCannotHold) {
    const std::pair<const char16_t*, char32_t> rows[] = {
        {u"x=🙂;y=①", U'🙂'}, {u"a\uFEFFb", U'\uFEFF'}, {u"\uF86F", U'\uF86F'}, {u"¥‾", U'¥'},
        {u"a\xD800", 0xD800},
    };
    for (const auto& [text, first] : rows) {
        const QString line = QString::fromUtf16(text);
        EXPECT_EQ(firstUnencodable(line), first);
        EXPECT_FALSE(toCp932Exactly(line));
    }
    EXPECT_EQ(toCp932(QStringLiteral(u"x=🙂;y=①")), "x=?;y=\x87\x40");
}

TEST(TextCodec, BrokenBytesNeverStopAConversion) {
    EXPECT_EQ(utf8FromCp932("a\xFF"
                            "b\x82"),
              "a?b?");
    EXPECT_EQ(fromCp932("a\xFF"
                        "b")
                  .size(),
              3);
    // A lead byte without a trail it pairs with shows alone.
    EXPECT_EQ(fromCp932("a\x82"), QStringLiteral(u"a\uFFFD"));
    EXPECT_EQ(fromCp932("\x81\xAD\x81 "), QStringLiteral(u"\uFFFDｭ\uFFFD "));
}

} // namespace
} // namespace tavolini
