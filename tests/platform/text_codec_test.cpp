// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/equation_labels.h"
#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

// The core converts its literals with iconv and the windows with Qt: both
// must agree on every character the program shows.
TEST(TextCodec, QtAndTheCoreAgreeOnTheProgramsCharacters) {
    const char* samples[] = {
        "①②⑩⑳", "(21)", "0 で割ることはできません", "整数部と小数部の合計桁数は５以内です", "分の",
        "｢･｣ｱｲｳﾌｧｲﾙ", "＋－×÷", "★", "問題が不正です", "ABC xyz 123 +-=()[]{}|/.*",
    };
    for (const char* utf8 : samples) {
        const std::string bytes = cp932(utf8);
        EXPECT_EQ(fromCp932(bytes), QString::fromUtf8(utf8)) << utf8;
        EXPECT_EQ(toCp932(QString::fromUtf8(utf8)), bytes) << utf8;
    }
    for (const std::string& label : EquationLabels()) EXPECT_EQ(toCp932(fromCp932(label)), label);
}

TEST(TextCodec, HalfWidthCornerBracketsAreSingleBytes) {
    EXPECT_EQ(toCp932(QStringLiteral(u"｢｣･")), "\xA2\xA3\xA5");
    EXPECT_EQ(cp932("｢｣･"), "\xA2\xA3\xA5");
}

TEST(TextCodec, BrokenBytesNeverStopAConversion) {
    EXPECT_EQ(utf8FromCp932("a\xFF" "b\x82"), "a?b?");
    EXPECT_EQ(fromCp932("a\xFF" "b").size(), 3);
}

} // namespace
} // namespace tavolini
