// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/equation_labels.h"
#include "desktop/platform/text_codec.h"

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

// The window writes and reads through the core's table (whose choices the
// core's tests check), and, unlike the core's literals, Windows's own single
// bytes too: a text may come with them.
TEST(TextCodec, WritesEachCharacterAsCodePage932HoldsIt) {
    struct Row {
        const char16_t* text;
        std::string bytes;
        const char16_t* readBack;
    };
    const Row rows[] = {
        {u"〜①ⅰ", "\x81\x60\x87\x40\xFA\x40", u"～①ⅰ"},
        {u"＼\\~ｱ･", "\x81\x5F\\~\xB1\xA5", u"＼\\~ｱ･"},
        {u"\x1A\x1C\x7F\u0080\uF8F0\uF8F3", "\x1A\x1C\x7F\x80\xA0\xFF", u"\x1A\x1C\x7F\u0080\uF8F0\uF8F3"}};
    for (const Row& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(toCp932Exactly(text), row.bytes) << text.toStdString();
        EXPECT_EQ(toCp932(text), row.bytes) << text.toStdString();
        EXPECT_EQ(fromCp932(row.bytes), QString::fromUtf16(row.readBack)) << text.toStdString();
    }
}

TEST(TextCodec, RefusesATextWithACharacterItCannotHold) {
    for (const char16_t* text : {u"x=🙂;y=①", u"a\uFEFFb", u"\uF86F", u"¥‾", u"a\xD800"})
        EXPECT_FALSE(toCp932Exactly(QString::fromUtf16(text))) << QString::fromUtf16(text).toStdString();
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
