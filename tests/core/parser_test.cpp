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
        {"2xy=1", "2x 2y = 1"}, // a term after a term takes its value
        {"x2y=1", "1x 2y = 1"},
        {"\xA2x+1\xA3=2", "｢ 1x 1 ｣ = 2"}, // corner brackets group nothing: no factor
        {"-[x]=-{y}", "-1 [ 1x ] = -1 { 1y }"},
        {"1|2+x=y", "1|2 1x = 1y"},
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

TEST(Parser, RefusesMalformedTextsWithTheirCodes) {
    const std::string fifty(50, '1');
    const RefusedRow rows[] = {
        {"x--y=1", ParseError::MinusAfterSign, {}},
        {"x+-y=1", ParseError::MinusAfterSign, {}},
        {"x-+y=1", ParseError::PlusAfterSign, {}},
        {"x++y=1", ParseError::PlusAfterSign, {}},
        {"xx=1", ParseError::SameLetterTwice, {}},
        {"x x=1", ParseError::SameLetterTwice, {}},
        {"=1", ParseError::TooFewTokens, {}},
        {"", ParseError::TooFewTokens, {}},
        {"   ", ParseError::TooFewTokens, {}},
        {"x=3/0", ParseError::ZeroDenominator, {}},
        {"x=3/", ParseError::ZeroDenominator, {"message: エラー！数字の表現が不正です"}},
        {"x=3|", ParseError::ZeroDenominator, {"message: エラー！数字の表現が不正です"}},
        {"x=100000", ParseError::TooManyDigits, {"message: 100000：エラー！数字は５桁以下です"}},
        {"x=1234567", ParseError::TooManyDigits, {"message: 123456：エラー！数字は５桁以下です"}},
        {"x=1/123456", ParseError::TooManyDigits, {"message: 123456：エラー！数字は５桁以下です"}},
        {"x=1.123456", ParseError::TooManyDigits, {"message: 123456：エラー！数字は５桁以下です"}},
        {"x=123.456", ParseError::DecimalTooLong, {"message: 整数部と小数部の合計桁数は５以内です"}},
        {"x=12345.",
         ParseError::DecimalTooLong,
         {"message: エラー！数字の表現が不正です", "message: 整数部と小数部の合計桁数は５以内です"}},
        {"x#y=1", ParseError::BadCharacter, {"message: #"}},
        {"2x=y;", ParseError::BadCharacter, {"message: ;"}},
        {cp932("ｘ=1"), ParseError::BadCharacter, {"message: ｘ"}},
        {"x=1\xFF", ParseError::BadCharacter, {"message: 0xFF"}},
        {"x=2 3", ParseError::NumberAfterNumber, {}},
        {"2*3x=6", ParseError::NumberAfterNumber, {}},
        {"x=1.5.2", ParseError::BadCharacter, {"message: ."}},
        {"x=.5", ParseError::BadCharacter, {"message: ."}},
        {"x=1/2/3", ParseError::BadCharacter, {"message: /"}},
        {"x=0.12345", ParseError::DecimalTooLong, {"message: 整数部と小数部の合計桁数は５以内です"}},
        {"\x81=x", ParseError::BadCharacter, {"message: 0x81"}}, // a lead byte without its second byte
        {"x+y+1", ParseError::NotAnEquation, {}},
        {"x=1=2", ParseError::NotAnEquation, {}},
        {"=x+1", ParseError::NotAnEquation, {}},
        {"x+1=", ParseError::NotAnEquation, {}},
        {"2(x+1=4", ParseError::NotAnEquation, {}},
        {"x)+(1=2", ParseError::NotAnEquation, {}},
        {"2(x=1)", ParseError::NotAnEquation, {}},
        {"2\xA2x+1\xA3=3", ParseError::FactorBeforeCorner, {}},
        {"-\xA2x\xA3=3", ParseError::FactorBeforeCorner, {}},
        {"x-\xA2y+1\xA3=3", ParseError::FactorBeforeCorner, {}},
        {fifty + "1", ParseError::TextTooLong, {}},
        {std::string(41, '(') + "=", ParseError::TooManyTokens, {}},
        {"x=" + std::string(24, '(') + std::string(24, ')'), ParseError::TooManyTokens, {}},
        {std::string(25, '(') + "x=1", ParseError::TooManyTokens, {}},
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
        {"x\t=1", ParseError::BadCharacter, 1, {"message: タブ"}},
        {"x=1\r", ParseError::BadCharacter, 2, {"message: 改行"}},
        {std::string("x=\0", 3), ParseError::BadCharacter, 2, {"message: 0x00"}},
        {"x=\x1B", ParseError::BadCharacter, 2, {"message: 0x1B"}},
        {"x=1\x7F", ParseError::BadCharacter, 2, {"message: 0x7F"}},
        {"x=\x85\x40", ParseError::BadCharacter, 2, {"message: 0x8540"}}, // an unassigned double-byte code
        {"x=" + cp932("ｱ"), ParseError::BadCharacter, 2, {"message: ｱ"}},
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

TEST(Parser, ThreeDotIsThreeAfterAMessage) {
    for (const auto& [text, tokens] : {std::pair{"x=3.", "1x = 3"}, std::pair{"3.x=1", "3x = 1"}}) {
        const Parsed parsed = parse(text);
        EXPECT_TRUE(parsed.ok) << text;
        EXPECT_EQ(parsed.tokens, tokens) << text;
        EXPECT_EQ(parsed.shown, Shown{"message: エラー！数字の表現が不正です"}) << text;
    }
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
    EXPECT_EQ(shownText(messages), Shown{"message: エラー！数字の表現が不正です"});

    position = 9; // a position past the end reads no digits
    EXPECT_EQ(parseNumber(algebra, "12", position, messages), TokenZero);
    EXPECT_EQ(position, 2U);
}

} // namespace
} // namespace tavolini
