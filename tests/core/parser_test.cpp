// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/parser.h"
#include "support/scripted_dialogs.h"
#include "support/token_text.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

using Shown = std::vector<std::string>;

struct Parsed {
    bool ok;
    std::string tokens;
    ParseError error;
    Shown shown;
    int count;
};

Parsed parse(std::string_view text) {
    Messages messages;
    Algebra algebra;
    MShiki& slot = algebra.EquationTable[1];
    const bool ok = parseEquation(algebra, slot, text, messages);
    return {ok, tokensText(slot), algebra.parseError, shownText(messages), slot.count};
}

struct AcceptedRow {
    const char* text;
    const char* tokens;
};

TEST(Parser, ReadsEquationsIntoTokens) {
    const AcceptedRow rows[] = {
        {"2x-3y=5", "2x -3y = 5"},
        {"3(x+1)=2y", "3 ( 1x 1 ) = 2y"},
        {"-(x-y)=1/2", "-1 ( 1x -1y ) = 1/2"},
        {"-(x+1)=y", "-1 ( 1x 1 ) = 1y"},
        {"0.25x=1", "1/4x = 1"},
        {"12.345=x", "2469/200 = 1x"},
        {"99999x=1", "99999x = 1"},
        {"2/3x=1", "2/3x = 1"},
        {"4/6x=1", "2/3x = 1"},
        {"x=1", "1x = 1"},
        {"1|2=x", "1|2 = 1x"},
        {"x=1|2", "1x = 1/2"}, // a number that ends the text is stored as '/'
        {"1|2(x+4)=y", "1|2 ( 1x 4 ) = 1y"},
        {"2[x-{y+1}]=0", "2 [ 1x -1 { 1y 1 } ] = 0"},
        {"x+y=-7", "1x 1y = -7"},
        {"-x-y=0", "-1x -1y = 0"},
        {"y-x=1", "1y -1x = 1"},
        {"2*x=4", "* 2x = 4"}, // a number before '*' is stored after it
        {"2*(x+1)=4", "* 2 ( 1x 1 ) = 4"},
        {"x=+3", "1x = 3"},
        {"3x=6-y+x", "3x = 6 -1y 1x"},
        {"\xA2x+1\xA3=2", "｢ 1x 1 ｣ = 2"}, // corner brackets group nothing: no factor
        {"-[x]=-{y}", "-1 [ 1x ] = -1 { 1y }"},
        {"1|2+x=y", "1|2 1x = 1y"},
        {"x-(y)+(x)=y", "1x -1 ( 1y ) 1 ( 1x ) = 1y"}, // a sign ends a bracketed term
    };
    for (const AcceptedRow& row : rows) {
        const Parsed parsed = parse(row.text);
        EXPECT_TRUE(parsed.ok) << row.text;
        EXPECT_EQ(parsed.tokens, row.tokens) << row.text;
        EXPECT_EQ(parsed.error, ParseError::None) << row.text;
        EXPECT_TRUE(parsed.shown.empty()) << row.text;
    }
}

TEST(Parser, SpacesAndMiddleDotsAreTransparent) {
    const AcceptedRow rows[] = {
        {"2x + y=3", "2x 1y = 3"},
        {"2x - y = 3", "2x -1y = 3"},
        {"2 x=4", "2x = 4"},
        {"x\xA5+\xA5y=1", "1x 1y = 1"},
        {" ( x + 1 ) = 2", "1 ( 1x 1 ) = 2"},
        {"3 (x+1)=y", "3 ( 1x 1 ) = 1y"},
    };
    for (const AcceptedRow& row : rows) {
        const Parsed parsed = parse(row.text);
        EXPECT_TRUE(parsed.ok) << row.text;
        EXPECT_EQ(parsed.tokens, row.tokens) << row.text;
    }
}

TEST(Parser, EveryBracketGroupHasItsFactor) {
    const AcceptedRow rows[] = {
        {"(x+1)=2", "1 ( 1x 1 ) = 2"},
        {"x+(y-1)=3", "1x 1 ( 1y -1 ) = 3"},
        {"2{(x+1)+1}=4", "2 { 1 ( 1x 1 ) 1 } = 4"},
        {"x=(y+1)", "1x = 1 ( 1y 1 )"},
        {"x-(y+1)=0", "1x -1 ( 1y 1 ) = 0"},
        {"0.5(x-2)=3y", "1/2 ( 1x -2 ) = 3y"},
    };
    for (const AcceptedRow& row : rows) {
        const Parsed parsed = parse(row.text);
        EXPECT_TRUE(parsed.ok) << row.text;
        EXPECT_EQ(parsed.tokens, row.tokens) << row.text;
    }
}

struct RefusedRow {
    std::string text;
    ParseError error;
    Shown shown;
};

// Every refusal tells its cause in one message, naming what was written.
TEST(Parser, RefusesMalformedTextsWithTheirCodes) {
    const std::string fifty(50, '1');
    const Shown product{"message: 文字やかっこの積は使えません"};
    const Shown numberAfter{"message: 文字やかっこの後ろに数は書けません（数は前に書きます）"};
    const RefusedRow rows[] = {
        {"x--y=1", ParseError::MinusAfterSign, {"message: 符号「--」が続いています"}},
        {"x+-y=1", ParseError::MinusAfterSign, {"message: 符号「+-」が続いています"}},
        {"x-+y=1", ParseError::PlusAfterSign, {"message: 符号「-+」が続いています"}},
        {"x++y=1", ParseError::PlusAfterSign, {"message: 符号「++」が続いています"}},
        {"xx=1", ParseError::SameLetterTwice, {"message: 同じ文字「x」が続いています"}},
        {"x x=1", ParseError::SameLetterTwice, {"message: 同じ文字「x」が続いています"}},
        {"", ParseError::TooFewTokens, {"message: 式がありません"}},
        {"   ", ParseError::TooFewTokens, {"message: 式がありません"}},
        {"=1", ParseError::EmptySide, {"message: 「=」の左に式がありません"}},
        {"=x+1", ParseError::EmptySide, {"message: 「=」の左に式がありません"}},
        {"x+1=", ParseError::EmptySide, {"message: 「=」の右に式がありません"}},
        {"x=3/0", ParseError::ZeroDenominator, {"message: 「3/0」の分母が０です"}},
        {"x=3/", ParseError::ZeroDenominator, {"message: 「3/」の分母がありません"}},
        {"x=3|", ParseError::ZeroDenominator, {"message: 「3|」の分母がありません"}},
        {"x=100000", ParseError::TooManyDigits, {"message: 100000：エラー！数字は５桁以下です"}},
        {"x=12345678", ParseError::TooManyDigits, {"message: 12345678：エラー！数字は５桁以下です"}},
        {"x=1/123456", ParseError::TooManyDigits, {"message: 123456：エラー！数字は５桁以下です"}},
        {"x=1.123456", ParseError::TooManyDigits, {"message: 1.123456：エラー！数字は５桁以下です"}},
        {"x=123456.7", ParseError::TooManyDigits, {"message: 123456.7：エラー！数字は５桁以下です"}},
        {"x=123.456", ParseError::DecimalTooLong, {"message: 整数部と小数部の合計桁数は５以内です"}},
        {"x=0.12345", ParseError::DecimalTooLong, {"message: 整数部と小数部の合計桁数は５以内です"}},
        {"1.x+y=2", ParseError::PointWithoutDigits, {"message: 「1.」の小数点の後ろに数字がありません"}},
        {"x=3.", ParseError::PointWithoutDigits, {"message: 「3.」の小数点の後ろに数字がありません"}},
        {"x=12345.", ParseError::PointWithoutDigits, {"message: 「12345.」の小数点の後ろに数字がありません"}},
        {"x#y=1", ParseError::BadCharacter, {"message: 「#」は使えません"}},
        {"2x=y;", ParseError::BadCharacter, {"message: 「;」は使えません"}},
        {"x=1.5.2", ParseError::BadCharacter, {"message: 「.」は使えません"}},
        {"x=.5", ParseError::BadCharacter, {"message: 「.」は使えません"}},
        {"x=1/2/3", ParseError::BadCharacter, {"message: 「/」は使えません"}},
        {"x=1\xFF", ParseError::BadCharacter, {"message: 読めない文字（0xFF）は使えません"}},
        {"\x81=x",
         ParseError::BadCharacter,
         {"message: 読めない文字（0x81）は使えません"}}, // a lead byte alone
        {cp932("ｘ=1"), ParseError::FullWidthCharacter, {"message: 「ｘ」は使えません（半角で書きます）"}},
        {cp932("x=1－y"), ParseError::FullWidthCharacter, {"message: 「－」は使えません（半角で書きます）"}},
        {cp932("x・y=1"), ParseError::MultiplicationSign, {"message: かけ算の記号「・」は使えません"}},
        {cp932("2×x=1"), ParseError::MultiplicationSign, {"message: かけ算の記号「×」は使えません"}},
        // A product cannot be held by the flat token list and was once read
        // as a sum ("2xy" as 2x+2y).
        {"2xy=1", ParseError::ProductOfFactors, product},
        {"x\xA5y=1", ParseError::ProductOfFactors, product}, // '･' is a space, not a sign
        {"(x+1)y=2", ParseError::ProductOfFactors, product},
        {"x(y+1)=2", ParseError::ProductOfFactors, product},
        {"(x+y)(x-y)=1", ParseError::ProductOfFactors, product},
        {"x\xA2y\xA3=1", ParseError::ProductOfFactors, product},
        {"x2y=1", ParseError::NumberAfterFactor, numberAfter},
        {"(x+1)2=y", ParseError::NumberAfterFactor, numberAfter},
        {"x=2 3", ParseError::NumberAfterNumber, {"message: 数が2つ並んでいます"}},
        {"2*3x=6", ParseError::NumberAfterNumber, {"message: 数が2つ並んでいます"}},
        {"x+y+1", ParseError::NotAnEquation, {"message: 「=」がありません"}},
        {"x=1=2", ParseError::TwoEqualsSigns, {"message: 「=」が2つあります"}},
        {"2(x+1=4", ParseError::BracketNotClosed, {"message: かっこ「(」が閉じていません"}},
        {"2(x=1)", ParseError::BracketNotClosed, {"message: かっこ「(」が閉じていません"}},
        {"x=[y+1", ParseError::BracketNotClosed, {"message: かっこ「[」が閉じていません"}},
        {"x)+(1=2", ParseError::BracketNotOpened, {"message: 「)」の前に開きかっこがありません"}},
        {"2\xA2x+1\xA3=3", ParseError::FactorBeforeCorner, {"message: 「｢」の前に数や符号は書けません"}},
        {"-\xA2x\xA3=3", ParseError::FactorBeforeCorner, {"message: 「｢」の前に数や符号は書けません"}},
        {"x-\xA2y+1\xA3=3", ParseError::FactorBeforeCorner, {"message: 「｢」の前に数や符号は書けません"}},
        {fifty + "1", ParseError::TextTooLong, {"message: 式が長すぎます（半角50文字までです）"}},
        {std::string(41, '(') + "=", ParseError::TooManyTokens, {"message: 項やかっこが多すぎます"}},
        {"x=" + std::string(24, '(') + std::string(24, ')'),
         ParseError::TooManyTokens,
         {"message: 項やかっこが多すぎます"}},
        {std::string(25, '(') + "x=1", ParseError::TooManyTokens, {"message: 項やかっこが多すぎます"}},
    };
    for (const RefusedRow& row : rows) {
        const Parsed parsed = parse(row.text);
        EXPECT_FALSE(parsed.ok) << row.text;
        EXPECT_EQ(parsed.error, row.error) << row.text;
        EXPECT_EQ(parsed.shown, row.shown) << row.text;
    }
}

struct MisreadRow {
    std::string text;
    ParseError error;
    int count; // tokens stored before the refusal
    Shown shown;
};

// Texts that were once read as something else: "x*y" as x+y, a dropped
// trailing sign, brackets of two kinds taken as one pair.
TEST(Parser, RefusesTextsItWouldMisread) {
    const MisreadRow rows[] = {
        {"x*y=1",
         ParseError::TimesWithoutNumber,
         1,
         {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"x*2=1",
         ParseError::TimesWithoutNumber,
         1,
         {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"(x+1)*2=3",
         ParseError::TimesWithoutNumber,
         5,
         {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"*x=1", ParseError::TimesWithoutNumber, 0, {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"x=*2", ParseError::TimesWithoutNumber, 2, {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"2**x=4",
         ParseError::TimesWithoutNumber,
         1,
         {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"2*=x", ParseError::TimesWithoutFactor, 1, {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"2*-x=1",
         ParseError::TimesWithoutFactor,
         1,
         {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"x=(2*)",
         ParseError::TimesWithoutFactor,
         5,
         {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"x=2 * ",
         ParseError::TimesWithoutFactor,
         3,
         {"message: 「*」は数と文字（かっこ）の間にだけ書けます"}},
        {"x+=6", ParseError::SignWithoutTerm, 1, {"message: 符号の後ろに項がありません"}},
        {"x-=6", ParseError::SignWithoutTerm, 1, {"message: 符号の後ろに項がありません"}},
        {"x+y=6+", ParseError::SignWithoutTerm, 4, {"message: 符号の後ろに項がありません"}},
        {"x+y=6- ", ParseError::SignWithoutTerm, 4, {"message: 符号の後ろに項がありません"}},
        {"(x+)=2", ParseError::SignWithoutTerm, 3, {"message: 符号の後ろに項がありません"}},
        {"2[x+1)=6", ParseError::BracketMismatch, 3, {"message: かっこの種類が合っていません"}},
        {"(x+1]=2", ParseError::BracketMismatch, 3, {"message: かっこの種類が合っていません"}},
        {"{x+(y-1})=2", ParseError::BracketMismatch, 6, {"message: かっこの種類が合っていません"}},
        {"\xA2x+1)=2", ParseError::BracketMismatch, 2, {"message: かっこの種類が合っていません"}},
        {"(x+1\xA3=2", ParseError::BracketMismatch, 3, {"message: かっこの種類が合っていません"}},
        {"()=x", ParseError::EmptyBrackets, 2, {"message: かっこの中が空です"}},
        {"2()=x", ParseError::EmptyBrackets, 2, {"message: かっこの中が空です"}},
        {"x=-( )", ParseError::EmptyBrackets, 4, {"message: かっこの中が空です"}},
        {"\xA2\xA3x=1", ParseError::EmptyBrackets, 1, {"message: かっこの中が空です"}},
        {"x\t=1", ParseError::BadCharacter, 1, {"message: タブは使えません"}},
        {"x=1\r", ParseError::BadCharacter, 2, {"message: 改行は使えません"}},
        {std::string("x=\0", 3), ParseError::BadCharacter, 2, {"message: 制御文字（0x00）は使えません"}},
        {"x=\x1B", ParseError::BadCharacter, 2, {"message: 制御文字（0x1B）は使えません"}},
        {"x=1\x7F", ParseError::BadCharacter, 2, {"message: 制御文字（0x7F）は使えません"}},
        {"x=\x85\x40",
         ParseError::BadCharacter,
         2,
         {"message: 読めない文字（0x8540）は使えません"}}, // unassigned
        {"x=" + cp932("ｱ"), ParseError::BadCharacter, 2, {"message: 「ｱ」は使えません"}},
    };
    for (const MisreadRow& row : rows) {
        const Parsed parsed = parse(row.text);
        EXPECT_FALSE(parsed.ok) << row.text;
        EXPECT_EQ(parsed.error, row.error) << row.text;
        EXPECT_EQ(parsed.count, row.count) << row.text;
        EXPECT_EQ(parsed.shown, row.shown) << row.text;
    }
}

TEST(Parser, KeepsTheSoundFormsOfThoseTexts) {
    const AcceptedRow rows[] = {
        {"2 * x=4", "* 2x = 4"},
        {"x=-2*y", "1x = * -2y"},
        {"1/2*(x-1)=y", "* 1/2 ( 1x -1 ) = 1y"},
        {"[x+1]=2", "1 [ 1x 1 ] = 2"},
        {"{[(x)]}=1", "1 { 1 [ 1 ( 1x ) ] } = 1"},
        {"x-(y-(x+1))=0", "1x -1 ( 1y -1 ( 1x 1 ) ) = 0"},
        {"\xA2(x+1)\xA3=2", "｢ 1 ( 1x 1 ) ｣ = 2"},
        {"(2)=x", "1 ( 2 ) = 1x"},
    };
    for (const AcceptedRow& row : rows) {
        const Parsed parsed = parse(row.text);
        EXPECT_TRUE(parsed.ok) << row.text;
        EXPECT_EQ(parsed.tokens, row.tokens) << row.text;
    }
}

TEST(Parser, AcceptsFiftyBytesAndRefusesFiftyOneUntouched) {
    Messages messages;
    Algebra algebra;
    MShiki& slot = algebra.EquationTable[2];
    const std::string fifty = "x=1" + std::string(47, ' ');
    EXPECT_TRUE(parseEquation(algebra, slot, fifty, messages));
    EXPECT_EQ(slot.count, 3);

    algebra.hasDecimalPoint = true;
    EXPECT_FALSE(parseEquation(algebra, slot, fifty + ".", messages));
    EXPECT_EQ(algebra.parseError, ParseError::TextTooLong);
    EXPECT_EQ(slot.count, 3);             // nothing changed
    EXPECT_TRUE(algebra.hasDecimalPoint); // not even the decimal flag
}

TEST(Parser, HoldsExactlyFortyTokens) {
    const std::string groups =
        std::string(12, '(') + "x+1" + std::string(12, ')'); // 12 x (factor, bracket, bracket) + 2
    const Parsed forty = parse(groups + "=1");
    EXPECT_TRUE(forty.ok);
    EXPECT_EQ(std::count(forty.tokens.begin(), forty.tokens.end(), ' ') + 1, 40);

    const Parsed fortyOne = parse(groups + "=1+2");
    EXPECT_FALSE(fortyOne.ok);
    EXPECT_EQ(fortyOne.error, ParseError::TooManyTokens);
}

TEST(Parser, FindsTheTwoUnknownsInOrder) {
    Messages messages;
    Algebra algebra;
    ASSERT_TRUE(parseEquation(algebra, algebra.EquationTable[1], "y-x=1", messages));
    EXPECT_EQ(algebra.unknown1, 'x');
    EXPECT_EQ(algebra.unknown2, 'y');

    Algebra other;
    ASSERT_TRUE(parseEquation(other, other.EquationTable[1], "3b=6", messages));
    EXPECT_EQ(other.unknown1, 'b');
    EXPECT_EQ(other.unknown2, '?');
    ASSERT_TRUE(
        parseEquation(other, other.EquationTable[2], "b+a-c=1", messages)); // a third letter is not recorded
    EXPECT_EQ(other.unknown1, 'a');
    EXPECT_EQ(other.unknown2, 'b');

    Algebra upper; // ordered by character code: capitals first
    ASSERT_TRUE(parseEquation(upper, upper.EquationTable[1], "x+Y=1", messages));
    EXPECT_EQ(upper.unknown1, 'Y');
    EXPECT_EQ(upper.unknown2, 'x');
}

TEST(Parser, RemembersWhetherTheLastTextHadADecimalPoint) {
    Messages messages;
    Algebra algebra;
    parseEquation(algebra, algebra.EquationTable[1], "0.5x=1", messages);
    EXPECT_TRUE(algebra.hasDecimalPoint);
    parseEquation(algebra, algebra.EquationTable[0], "x=1", messages);
    EXPECT_FALSE(algebra.hasDecimalPoint);
}

TEST(Parser, LeavesOriginAndStepTextAlone) {
    Messages messages;
    Algebra algebra;
    MShiki& slot = algebra.EquationTable[5];
    slot.origin = 4;
    slot.stepText = "kept";
    ASSERT_TRUE(parseEquation(algebra, slot, "x+y=2", messages));
    EXPECT_EQ(slot.origin, 4);
    EXPECT_EQ(slot.stepText, "kept");
}

TEST(ParseNumber, ReadsOneNumberAndMovesPastIt) {
    Messages messages;
    Algebra algebra;
    struct Row {
        const char* text;
        ShikiToken value;
        std::size_t end;
    };
    const Row rows[] = {
        {"12x", makeToken(12, 1, '/'), 2},  {"6/8+", makeToken(3, 4, '/'), 3},
        {"6|8", makeToken(3, 4, '|'), 3},   {"0.50y", makeToken(1, 2, '/'), 4},
        {"00000", makeToken(0, 1, '/'), 5},
    };
    for (const Row& row : rows) {
        std::size_t position = 0;
        EXPECT_EQ(parseNumber(algebra, row.text, position, messages), row.value) << row.text;
        EXPECT_EQ(position, row.end) << row.text;
        EXPECT_EQ(algebra.parseError, ParseError::None) << row.text;
    }
    std::size_t position = 0;
    EXPECT_EQ(readDigits(algebra, "x", position, messages), 0);
    EXPECT_EQ(position, 0U);
    EXPECT_TRUE(messages.empty());

    position = 9; // a position past the end reads no digits
    EXPECT_EQ(parseNumber(algebra, "12", position, messages), TokenZero);
    EXPECT_EQ(position, 2U);
}

} // namespace
} // namespace tavolini
