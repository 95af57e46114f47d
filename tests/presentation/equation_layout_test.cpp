// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/parser.h"
#include "presentation/equation_layout.h"
#include "support/parse_quietly.h"
#include "support/recording_canvas.h"
#include "support/scripted_dialogs.h"

#include <climits>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

constexpr int StepRow = 69;
constexpr int ProblemRow = 50;

struct Drawn {
    bool fits;
    std::string drawing;
    int cellWidth;
    CanvasFont font;
};

// Draws the equation the text parses to, the way a row is drawn.
Drawn draw(const MShiki& equation, const Algebra& algebra, int slot, int height, bool compact) {
    RecordingCanvas canvas(415, height);
    LayoutState layout;
    const bool fits = renderEquation(canvas, layout, algebra, slot, compact, equation);
    return {fits, canvas.drawing(), layout.cellWidth, canvas.font()};
}

struct LayoutRow {
    const char* name;
    const char* text;
    int slot;
    int height;
    const char* drawing;
    bool fits;
};

void expectLayouts(const LayoutRow* begin, const LayoutRow* end, bool compact = false) {
    for (const LayoutRow* row = begin; row != end; ++row) {
        SCOPED_TRACE(row->name);
        ScriptedDialogs dialogs;
        Algebra algebra;
        ASSERT_TRUE(parseQuietly(algebra, algebra.EquationTable[3], row->text)) << row->text;
        const Drawn drawn = draw(algebra.EquationTable[3], algebra, row->slot, row->height, compact);
        EXPECT_EQ(drawn.drawing, row->drawing);
        EXPECT_EQ(drawn.fits, row->fits);
    }
}

// Rows 69 high put single lines at y 32, numerators at 15, denominators at
// 49 and bars at 42; rows 50 high at 12, 0, 25 and 24. Every text is drawn 2
// pixels right of its cell; a cell is 10 pixels below 12 tokens.
TEST(EquationLayout, PlacesItemsOnTheCellGrid) {
    const LayoutRow rows[] = {
        {"step in slot 5", "2x-3y=5", 5, StepRow, "2@2,32 x@22,32 -@42,32 3@62,32 y@82,32 =@102,32 5@122,32",
         true},
        {"problem in slot 1", "2x-3y=5", 1, ProblemRow,
         "   @2,12 2@42,12 x@62,12 -@82,12 3@102,12 y@122,12 =@142,12 5@162,12", true},
        {"slot 2 has the same prefix", "x=1", 2, ProblemRow, "   @2,12 x@42,12 =@62,12 1@82,12", true},
        {"minus x at the start writes no 1", "-x+y=1", 5, StepRow,
         "-@2,32 x@22,32 +@42,32 y@62,32 =@82,32 1@102,32", true},
        {"no plus after the equals sign", "y=x", 5, StepRow, "y@2,32 =@22,32 x@42,32", true},
        {"factor 1 before a bracket is not written", "(x+1)=y", 5, StepRow,
         "(@2,32 x@22,32 +@42,32 1@62,32 )@82,32 =@102,32 y@122,32", true},
        {"factor -1 before a bracket is a minus alone", "-(x-y)=2", 5, StepRow,
         "-@2,32 (@22,32 x@42,32 -@62,32 y@82,32 )@102,32 =@122,32 2@142,32", true},
        {"factor 3 before a bracket is written", "3(x+1)=y", 5, StepRow,
         "3@2,32 (@22,32 x@42,32 +@62,32 1@82,32 )@102,32 =@122,32 y@142,32", true},
        {"no plus after an opening bracket", "2[x+{y+1}]=0", 5, StepRow,
         "2@2,32 [@22,32 x@42,32 +@62,32 {@82,32 y@102,32 +@122,32 1@142,32 }@162,32 ]@182,32 =@202,32 "
         "0@222,32",
         true},
        {"a fraction coefficient stands stacked before its letter", "2/3x=1", 5, StepRow,
         "2@6,15 _2-22@42 3@6,49 x@32,32 =@52,32 1@72,32", true},
    };
    expectLayouts(std::begin(rows), std::end(rows));
}

// A stacked fraction is centred 4 pixels per byte of difference, over a width
// rounded up to an even number of cells.
TEST(EquationLayout, StacksFractionsCentred) {
    const LayoutRow rows[] = {
        {"1/2: both digits moved by 4", "x=1/2", 5, StepRow, "x@2,32 =@22,32 1@46,15 _42-62@42 2@46,49",
         true},
        {"12/5: the 5 moved by 4", "x=12/5", 5, StepRow, "x@2,32 =@22,32 12@42,15 _42-62@42 5@46,49", true},
        {"123/7: four cells, 123 by 4, 7 by 12", "x=123/7", 5, StepRow,
         "x@2,32 =@22,32 123@46,15 _42-82@42 7@54,49", true},
        {"after a fraction the next cell follows its width", "1/2x+123/7y=1", 5, StepRow,
         "1@6,15 _2-22@42 2@6,49 x@32,32 +@52,32 123@76,15 _72-112@42 7@84,49 y@122,32 =@142,32 1@162,32",
         true},
        {"on a problem row the bar is at 24", "x=1/2", 1, ProblemRow,
         "   @2,12 x@42,12 =@62,12 1@86,0 _82-102@24 2@86,25", true},
    };
    expectLayouts(std::begin(rows), std::end(rows));
}

TEST(EquationLayout, DrawsTheFractionBarInTheTextColour) {
    ScriptedDialogs dialogs;
    Algebra algebra;
    ASSERT_TRUE(parseQuietly(algebra, algebra.EquationTable[3], "x=1/2"));
    RecordingCanvas canvas(415, StepRow);
    CanvasFont font = canvas.font();
    font.colour = clBlue;
    canvas.setFont(font);
    canvas.setPen(clRed, PenMode::NotXor);
    LayoutState layout;
    renderEquation(canvas, layout, algebra, 3, false, algebra.EquationTable[3]);
    for (const CanvasCall& call : canvas.calls()) {
        EXPECT_EQ(call.font.colour, clBlue) << call.text;
        if (call.kind != CanvasCall::Kind::Line) continue;
        EXPECT_EQ(call.pen, clBlue);
        EXPECT_EQ(call.penMode, PenMode::Copy);
    }
}

// The font and cell width follow the token count: 12 tokens or compact are
// 12 points in 7-pixel cells, fewer are 14 points in 10-pixel cells.
TEST(EquationLayout, ChoosesTheFontByTokenCount) {
    struct Row {
        const char* name;
        const char* text;
        bool compact;
        int size;
        int cellWidth;
        int secondItemX;
    };
    const Row rows[] = {
        {"11 tokens", "x+y+x+y+x+y+x+y+x=1", false, 14, 10, 22},
        {"12 tokens", "x+y+x+y+x+y+x+y+x+y=1", false, 12, 7, 16},
        {"compact asked for", "2x-3y=5", true, 12, 7, 16},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedDialogs dialogs;
        Algebra algebra;
        ASSERT_TRUE(parseQuietly(algebra, algebra.EquationTable[3], row.text));
        RecordingCanvas canvas(415, StepRow);
        LayoutState layout;
        renderEquation(canvas, layout, algebra, 3, row.compact, algebra.EquationTable[3]);
        EXPECT_EQ(layout.cellWidth, row.cellWidth);
        ASSERT_GE(canvas.calls().size(), 2u);
        EXPECT_EQ(canvas.calls()[1].x1, row.secondItemX);
        EXPECT_EQ(canvas.font().size, row.size);
        EXPECT_EQ(canvas.font().face, "Bookman Old Style");
        EXPECT_TRUE(canvas.font().italic);
        EXPECT_EQ(canvas.font().charset, AnsiCharset);
    }
}

TEST(EquationLayout, AddsItalicToTheStyleAndLeavesBold) {
    ScriptedDialogs dialogs;
    Algebra algebra;
    ASSERT_TRUE(parseQuietly(algebra, algebra.EquationTable[3], "x=1"));
    RecordingCanvas canvas(415, StepRow);
    CanvasFont font = canvas.font();
    font.bold = true;
    canvas.setFont(font);
    LayoutState layout;
    renderEquation(canvas, layout, algebra, 3, false, algebra.EquationTable[3]);
    EXPECT_TRUE(canvas.font().bold);
    EXPECT_TRUE(canvas.font().italic);
}

// 30 cells or more, prefix included, asks for a compact drawing.
TEST(EquationLayout, AnswersWhetherTheEquationFitsThirtyCells) {
    const LayoutRow rows[] = {
        {"29 cells fit", "x+y+x+y+x+y=1234", 5, StepRow,
         "x@2,32 +@22,32 y@42,32 +@62,32 x@82,32 +@102,32 y@122,32 +@142,32 x@162,32 +@182,32 y@202,32 "
         "=@222,32 "
         "1234@242,32",
         true},
        {"30 cells do not", "x+y+x+y+x+y=12345", 5, StepRow,
         "x@2,32 +@22,32 y@42,32 +@62,32 x@82,32 +@102,32 y@122,32 +@142,32 x@162,32 +@182,32 y@202,32 "
         "=@222,32 "
         "12345@242,32",
         false},
        {"the problem prefix counts: 29", "x+y+x+y+x=1234", 1, ProblemRow,
         "   @2,12 x@42,12 +@62,12 y@82,12 +@102,12 x@122,12 +@142,12 y@162,12 +@182,12 x@202,12 =@222,12 "
         "1234@242,12",
         true},
        {"the problem prefix counts: 30", "x+y+x+y+x=12345", 1, ProblemRow,
         "   @2,12 x@42,12 +@62,12 y@82,12 +@102,12 x@122,12 +@142,12 y@162,12 +@182,12 x@202,12 =@222,12 "
         "12345@242,12",
         false},
        {"the answer prefix counts: 30", "x+y+x+y=1234", 33, ProblemRow,
         "［答］　@2,12 x@92,12 +@112,12 y@132,12 +@152,12 x@172,12 +@192,12 y@212,12 =@232,12 1234@252,12",
         false},
        {"a long equation is drawn all the same", "x+y+x+y+x+y+x+y+x+y=1", 5, StepRow,
         "x@2,32 +@16,32 y@30,32 +@44,32 x@58,32 +@72,32 y@86,32 +@100,32 x@114,32 +@128,32 y@142,32 "
         "+@156,32 "
         "x@170,32 +@184,32 y@198,32 +@212,32 x@226,32 +@240,32 y@254,32 =@268,32 1@282,32",
         false},
    };
    expectLayouts(std::begin(rows), std::end(rows));
}

TEST(EquationLayout, WritesTheAnswerPrefixesInTheSurfacesFont) {
    const LayoutRow rows[] = {
        {"x's answer", "x=3", 33, ProblemRow, "［答］　@2,12 x@92,12 =@112,12 3@132,12", true},
        {"y's answer lines up under it", "y=1", 34, ProblemRow, "　　　　@2,12 y@92,12 =@112,12 1@132,12",
         true},
        {"slot 35 has none", "y=1", 35, ProblemRow, "y@2,12 =@22,12 1@42,12", true},
    };
    expectLayouts(std::begin(rows), std::end(rows));

    ScriptedDialogs dialogs;
    Algebra algebra;
    ASSERT_TRUE(parseQuietly(algebra, algebra.EquationTable[33], "x=3"));
    RecordingCanvas canvas(295, ProblemRow);
    LayoutState layout;
    renderEquation(canvas, layout, algebra, 33, false, algebra.EquationTable[33]);
    EXPECT_EQ(canvas.calls().front().font, clearedSurfaceFont());
}

// With a decimal point in the problem, values of up to four places are
// written as decimals, and a decimal coefficient joins its letter.
TEST(EquationLayout, WritesDecimalsWhenTheProblemHasThem) {
    const LayoutRow rows[] = {
        {"decimal coefficient and constant", "0.25x+y=1.5", 5, StepRow,
         "0.25x@2,32 +@62,32 y@82,32 =@102,32 1.5@122,32", true},
        {"an integer stays an integer", "0.5x=3", 5, StepRow, "0.5x@2,32 =@52,32 3@72,32", true},
        {"a negative decimal has its sign apart", "x=-0.125", 5, StepRow,
         "x@2,32 =@22,32 -@42,32 0.125@62,32", true},
    };
    expectLayouts(std::begin(rows), std::end(rows));

    ScriptedDialogs dialogs;
    Algebra algebra;
    ASSERT_TRUE(parseQuietly(algebra, algebra.EquationTable[3], "0.5x=1/3"));
    EXPECT_TRUE(algebra.hasDecimalPoint);
    EXPECT_EQ(draw(algebra.EquationTable[3], algebra, 3, StepRow, false).drawing,
              "0.5x@2,32 =@52,32 1@76,15 _72-92@42 3@76,49");
    algebra.hasDecimalPoint = false;
    EXPECT_EQ(draw(algebra.EquationTable[3], algebra, 3, StepRow, false).drawing,
              "1@6,15 _2-22@42 2@6,49 x@32,32 =@52,32 1@76,15 _72-92@42 3@76,49");
}

// A factor written with '|' over a bracket collects the bracket's terms into
// one item: x+1 over 3 for 1/3, 2(x+1) over 3 for 2/3.
TEST(EquationLayout, CollectsBarGroupsUnderTheirFactor) {
    const LayoutRow rows[] = {
        {"1/3 before (x+1)", "1|3(x+1)=y", 5, StepRow, "x+1@6,15 _2-42@42 3@14,49 =@52,32 y@72,32", true},
        {"1/3 before (-x+1)", "1|3(-x+1)=y", 5, StepRow, "-x+1@2,15 _2-42@42 3@14,49 =@52,32 y@72,32", true},
        {"2/3 before (x+1)", "2|3(x+1)=y", 5, StepRow, "2(x+1) @6,15 _2-82@42 3@30,49 =@92,32 y@112,32",
         true},
        {"-1/2 before (x-y)", "y=-1|2(x-y)", 5, StepRow,
         "y@2,32 =@22,32 -@42,32 x-y@66,15 _62-102@42 2@74,49", true},
        {"a term after the group", "1|2(x+4)+y=1", 5, StepRow,
         "x+4@6,15 _2-42@42 2@14,49 +@52,32 y@72,32 =@92,32 1@112,32", true},
        {"a '|' factor without a bracket swallows the rest", "1|2=x", 5, StepRow, "", true},
    };
    expectLayouts(std::begin(rows), std::end(rows));
}

// The text a screen reader is given has the drawn items in order, a stacked
// one as the pad types it.
TEST(EquationLayout, WritesTheEquationAsTheItemsItIsDrawnIn) {
    const struct Row {
        const char* text;
        const char* read;
    } rows[] = {
        {"2x+y=7", "2x+y=7"},
        {"x-y=-2", "x-y=-2"},
        {"1/2x+2/3y=5", "2分の1x+3分の2y=5"},
        {"0.25x+y=1.5", "0.25x+y=1.5"},
        {"2|3(x+1)=y", "3分の2(x+1)=y"},
        {"3(x-2)=-y", "3(x-2)=-y"},
    };
    for (const Row& row : rows) {
        ScriptedDialogs dialogs;
        Algebra algebra;
        ASSERT_TRUE(parseQuietly(algebra, algebra.EquationTable[3], row.text)) << row.text;
        EXPECT_EQ(utf8FromCp932(equationText(algebra, algebra.EquationTable[3])), row.read) << row.text;
    }
}

MShiki equationOf(std::initializer_list<ShikiToken> tokens) {
    MShiki e;
    for (const ShikiToken& t : tokens)
        pushToken(e, t);
    return e;
}

TEST(EquationLayout, DrawsTokensNoParserMakes) {
    ScriptedDialogs dialogs;
    Algebra algebra;
    algebra.unknown1 = 'x';
    algebra.unknown2 = 'y';
    struct Row {
        const char* name;
        MShiki equation;
        const char* drawing;
    };
    const Row rows[] = {
        {"a coefficient 0 draws its letter alone",
         equationOf({{1, 0, 'x'}, {1, 1, 'y'}, {1, 0, '='}, {1, 1, '/'}}),
         "x@2,32 +@22,32 y@42,32 =@62,32 1@82,32"},
        {"a '|' factor 2 over a bracket is one line",
         equationOf(
             {{1, 2, '|'}, {1, 0, '('}, {1, 1, 'x'}, {1, 1, '/'}, {1, 0, ')'}, {1, 0, '='}, {1, 1, 'y'}}),
         "2(x+1) @2,32 =@82,32 y@102,32"},
        {"a '|' factor 1 keeps its brackets",
         equationOf(
             {{1, 1, '|'}, {1, 0, '('}, {1, 1, 'x'}, {1, 1, '/'}, {1, 0, ')'}, {1, 0, '='}, {1, 1, 'y'}}),
         "(x+1) @2,32 =@72,32 y@92,32"},
        {"corner brackets and '*' draw nothing",
         equationOf({{1, 0, '\xA2'}, {1, 1, 'x'}, {1, 0, '\xA3'}, {1, 0, '*'}, {1, 0, '='}, {1, 2, '/'}}),
         "+@2,32 x@22,32 =@42,32 2@62,32"}, // the letter after a corner bracket is signed
        {"the most negative numerator keeps its digits",
         equationOf({{1, INT_MIN, 'x'}, {1, 0, '='}, {1, 1, '/'}}),
         "-@2,32 2147483648@22,32 x@132,32 =@152,32 1@172,32"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(draw(row.equation, algebra, 3, StepRow, false).drawing, row.drawing);
    }
}

TEST(EquationLayout, DrawsNoMoreTokensThanARecordHolds) {
    ScriptedDialogs dialogs;
    Algebra algebra;
    MShiki e;
    for (int i = 0; i < MaxTokens; ++i)
        pushToken(e, {1, 1, 'x'});
    e.count = MaxTokens + 25;
    RecordingCanvas canvas(415, StepRow);
    LayoutState layout;
    EXPECT_FALSE(renderEquation(canvas, layout, algebra, 3, false, e));
    EXPECT_EQ(canvas.calls().size(), 2u * MaxTokens - 1); // the letters and the plus signs between them

    e.count = -3;
    canvas.forget();
    EXPECT_TRUE(renderEquation(canvas, layout, algebra, 33, false, e));
    EXPECT_EQ(canvas.texts(), "［答］　");
}

TEST(EquationLayout, AnEmptyEquationDrawsItsPrefixOnly) {
    ScriptedDialogs dialogs;
    Algebra algebra;
    const MShiki empty;
    EXPECT_EQ(draw(empty, algebra, 5, StepRow, false).drawing, "");
    EXPECT_TRUE(draw(empty, algebra, 5, StepRow, false).fits);
    EXPECT_EQ(draw(empty, algebra, 1, ProblemRow, false).drawing, "   @2,12");
}

TEST(EquationLayout, DrawCellItemAnswersTheCellsUsed) {
    struct Row {
        const char* top;
        const char* bottom;
        int cells;
        const char* drawing;
    };
    const Row rows[] = {
        {"", "5", 0, ""},
        {"7", "", 2, "7@32,32"},
        {"123", "", 4, "123@32,32"},
        {"12", "345", 5, "12@40,15 _32-72@42 345@36,49"},
        {"1", "12345", 7, "1@52,15 _32-92@42 12345@36,49"},
    };
    LayoutState layout;
    layout.cellWidth = 10;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.top + std::string("/") + row.bottom);
        RecordingCanvas canvas(415, StepRow);
        EXPECT_EQ(drawCellItem(canvas, layout, row.top, row.bottom, 3), row.cells);
        EXPECT_EQ(canvas.drawing(), row.drawing);
    }
}

TEST(EquationLayout, TokenStringsLeaveOutSignsAndUnitCoefficients) {
    struct Row {
        ShikiToken token;
        const char* numerator;
        const char* denominator;
    };
    const Row rows[] = {
        {{2, -3, '/'}, "3", "2"},
        {{1, 5, '/'}, "5", ""},
        {{5, 0, '/'}, "0", ""},
        {{3, 7, '|'}, "7", "3"},
        {{1, 1, 'x'}, "", ""},
        {{1, -1, 'y'}, "", ""},
        {{4, 0, 'x'}, "", ""},
        {{2, 1, 'x'}, "1", "2"},
        {{1, -4, 'a'}, "4", ""},
        {{1, 0, '='}, "=", ""},
        {{1, 0, '('}, "0", ""},
        {{1, 0, '*'}, "0", ""},
        {{1, INT_MIN, '/'}, "2147483648", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.token.num) + "/" + std::to_string(row.token.den) + row.token.kind);
        EXPECT_EQ(tokenStrings(row.token), (TokenTexts{row.numerator, row.denominator}));
    }
}

TEST(EquationLayout, DecimalTextHasAtMostFourPlaces) {
    struct Row {
        std::int32_t num;
        std::int32_t den;
        const char* text;
    };
    const Row rows[] = {
        {1, 8, "0.125"},
        {1, 16, "0.0625"},
        {1, 32, ""},
        {1, 3, ""},
        {-5, 4, "1.25"},
        {3, 1, ""},
        {0, 7, ""},
        {6, 2, "3"},
        {12345, 10000, "1.2345"},
        {1, 40000, ""},
        {32768, 65536, ""}, // the remainder starts at the limit
        {1, 0, ""},         // no decimal for a zero denominator
        {INT_MIN, 2, "1073741824"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.num) + "/" + std::to_string(row.den));
        EXPECT_EQ(decimalText({row.den, row.num, '/'}), row.text);
    }
}

TEST(EquationLayout, NeedsSignAfterAnythingButOpenersAndEquals) {
    const MShiki e = equationOf({{1, 1, 'x'},
                                 {1, 0, '('},
                                 {1, 1, 'x'},
                                 {1, 0, '*'},
                                 {1, 2, '/'},
                                 {1, 0, '='},
                                 {1, 0, '['},
                                 {1, 0, '{'},
                                 {1, 0, ')'},
                                 {1, 1, '/'},
                                 {1, 1, '|'}});
    const bool expected[] = {false, true, false, true, false, true, false, false, false, true, true};
    for (int i = 0; i < e.count; ++i)
        EXPECT_EQ(needsSign(e, i), expected[i]) << i;
    EXPECT_FALSE(needsSign(e, -1));
    EXPECT_FALSE(needsSign(e, MaxTokens + 1));
}

TEST(EquationLayout, RowsSitByImageHeight) {
    struct Row {
        int height;
        int numerator, single, denominator, bar;
    };
    const Row rows[] = {
        {69, 15, 32, 49, 42}, {50, 0, 12, 25, 24}, {51, 10, 22, 35, 42}, {100, 23, 48, 73, 42}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.height);
        EXPECT_EQ(textRowY(row.height, 0), row.numerator);
        EXPECT_EQ(textRowY(row.height, 1), row.single);
        EXPECT_EQ(textRowY(row.height, 2), row.denominator);
        EXPECT_EQ(fractionBarY(row.height), row.bar);
    }
}

} // namespace
} // namespace tavolini
