// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/parser.h"
#include "practice/window_layout.h"
#include "presentation/page_layout.h"
#include "presentation/page_presenter.h"
#include "presentation/page_rows.h"
#include "support/parse_quietly.h"
#include "support/recording_canvas.h"
#include "support/scripted_dialogs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace tavolini {
namespace {

constexpr int MainPanelWidth = 145;

PageState pageFor(int screenWidth) {
    PageState page;
    setPageGeometry(page, screenWidth, MainPanelWidth);
    return page;
}

// The rows of a page as recording canvases of the rows' sizes.
class RecordedRows final : public RowImages {
  public:
    explicit RecordedRows(const PageState& page) {
        for (int n = 1; n <= rowImageCount(page); ++n) {
            const PageRect rect = *rowImageRect(page, n);
            m_rows.emplace(n, RecordingCanvas(rect.width, rect.height));
        }
        for (int n : {SolutionSlotX, SolutionSlotY})
            m_rows.emplace(n, RecordingCanvas(295, 50));
    }

    Canvas* findRowImage(int n) override {
        const auto row = m_rows.find(n);
        return row != m_rows.end() ? &row->second : nullptr;
    }

    RecordingCanvas& operator[](int n) { return m_rows.at(n); }

    // The rows whose outline is showing: an odd number of outlines drawn.
    std::string outlined() const {
        std::string out;
        for (const auto& [n, canvas] : m_rows) {
            int outlines = 0;
            for (const CanvasCall& call : canvas.calls())
                outlines += call.kind == CanvasCall::Kind::Rectangle;
            if (outlines % 2 == 1) out += (out.empty() ? "" : " ") + std::to_string(n);
        }
        return out;
    }

  private:
    std::map<int, RecordingCanvas> m_rows;
};

struct Page {
    explicit Page(int screenWidth = 800) : state(pageFor(screenWidth)), rows(state) {}

    PageRows pageRows() { return {algebra, layout, rows, messages}; }

    PageState state;
    RecordedRows rows;
    Messages messages;
    Algebra algebra;
    LayoutState layout;
};

class NoEvents final : public PageEvents {
  public:
    void chooseEquation(int) override {}
    void pageKey(int, bool, std::string_view) override {}
    bool nextProblemBlinking() const override { return false; }
};

// A page shown on a surface that writes down what it is asked: rows that
// record, a view 300 high over the sheet, a window 320 high.
class SurfacePage final : public PagePresenter {
  public:
    explicit SurfacePage(Page& page, int screenWidth = 800)
        : PagePresenter(page.algebra, dialogs, page.layout, page.state, events, screenWidth, MainPanelWidth),
          rows(page.state), width(screenWidth - MainPanelWidth - 8) {
        hideAnswerBox();
    }

    ScriptedDialogs dialogs;
    NoEvents events;
    mutable RecordedRows rows;
    int width;
    int top = 0;
    std::string message;
    std::optional<PagePoint> box;
    PageRect sheet;
    int bracesDrawn = 0;
    std::map<int, std::string> described; // UTF-8, "*" after a row a press chooses
    std::vector<std::string> announced;

  private:
    Canvas* rowCanvas(int n) const override { return rows.findRowImage(n); }
    const TextMeasure& textMeasure() const override { return rows; }
    void showMessageText(std::string_view text) override { message = text; }
    int scrollTop() const override { return top; }
    void scrollTo(int to) override { top = std::clamp(to, 0, std::max(0, sheet.height - viewHeight())); }
    int viewHeight() const override { return 300; }
    int pageHeight() const override { return 320; }
    int pageWidth() const override { return width; }
    void drawAnswerBrace() override { ++bracesDrawn; }
    void showAnswerBraceImage() override {}
    void moveAnswerBox(std::optional<PagePoint> at) override { box = at; }
    void resizeSheet(int w, int h) override { sheet = {0, 0, w, h}; }
    void placeRows() override { rows = RecordedRows(pageState()); }
    void describeRow(int n, std::string_view text, bool choosable) override {
        described[n] = utf8FromCp932(text) + (choosable ? "*" : "");
    }
    void announce(std::string_view text) override { announced.push_back(utf8FromCp932(text)); }
};

TEST(PageLayout, FixesTheRowsFromTheScreenWidth) {
    struct Row {
        int screen;
        int rowWidth, rowsPerScreen, equationLimit, rightColumn, page2Top, rows;
    };
    const Row rows[] = {
        {640, 223, 6, 12, 233, 420, 24},
        {800, 303, 6, 24, 313, 420, 24},
        {1024, 415, 8, 32, 425, 560, 32},
        {1920, 863, 6, 24, 873, 420, 24},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.screen);
        const PageState page = pageFor(row.screen);
        EXPECT_EQ(page.rowWidth, row.rowWidth);
        EXPECT_EQ(page.rowHeight, 70);
        EXPECT_EQ(page.rowsPerScreen, row.rowsPerScreen);
        EXPECT_EQ(page.equationLimit, row.equationLimit);
        EXPECT_EQ(rowImageRect(page, row.rowsPerScreen + 1)->left, row.rightColumn);
        EXPECT_EQ(page2Rect(page), (PageRect{8, row.page2Top, 57, 20}));
        EXPECT_EQ(rowImageCount(page), row.rows);
    }
    EXPECT_EQ(pageFor(100).rowWidth, 1); // a screen narrower than the panel still has rows
}

// The answers stand in the answer box, narrowed as it is, and only while it shows.
TEST(PageLayout, PlacesRowsDownTheColumnsOfBothSheets) {
    struct Row {
        int screen;
        int n;
        std::optional<PageRect> rect;
        std::optional<PagePoint> answerBox = std::nullopt;
    };
    const Row rows[] = {
        {800, 1, PageRect{8, 30, 303, 50}},
        {800, 2, PageRect{8, 80, 303, 50}},
        {800, 3, PageRect{8, 140, 303, 69}, PagePoint{8, 210}},
        {800, 6, PageRect{8, 350, 303, 69}},
        {800, 7, PageRect{313, 0, 303, 69}},
        {800, 12, PageRect{313, 350, 303, 69}},
        {800, 13, PageRect{8, 440, 303, 69}},
        {800, 18, PageRect{8, 790, 303, 69}},
        {800, 19, PageRect{313, 440, 303, 69}},
        {800, 24, PageRect{313, 790, 303, 69}},
        {800, 25, std::nullopt},
        {800, 0, std::nullopt},
        {800, SolutionSlotX, std::nullopt},
        {800, SolutionSlotX, PageRect{321, 672, 293, 50}, PagePoint{313, 640}},
        {800, SolutionSlotY, PageRect{16, 292, 293, 50}, PagePoint{8, 210}},
        {1024, 8, PageRect{8, 490, 415, 69}},
        {1024, 9, PageRect{425, 0, 415, 69}},
        {1024, 17, PageRect{8, 580, 415, 69}},
        {1024, 32, PageRect{425, 1070, 415, 69}},
        {1024, SolutionSlotY, PageRect{543, 1002, 295, 50}, PagePoint{535, 920}},
        {640, 24, PageRect{233, 790, 223, 69}},
        {640, SolutionSlotX, PageRect{241, 232, 213, 50}, PagePoint{233, 200}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.screen) + " Image" + std::to_string(row.n));
        EXPECT_EQ(rowOnSheet(pageFor(row.screen), row.n, row.answerBox), row.rect);
    }
}

TEST(PageLayout, PlacesThePageInTheMainWindow) {
    EXPECT_EQ(pageBounds(PageSetup{}), (PageRect{145, 0, 871, 684}));
    EXPECT_EQ(pageBounds(PageSetup{800, 800, PageRect{0, 10, 145, 516}}), (PageRect{145, 10, 647, 516}));
}

TEST(PageLayout, PutsTheAnswerBoxAfterTheLastStep) {
    struct Row {
        const char* name;
        int screen;
        int n;
        PagePoint at;
    };
    // Page widths: 647 on 800, 871 on 1024, 487 on 640; the box is 305 wide,
    // as wide as a column where that is narrower (303 on 800, 223 on 640), and
    // the corner stops at the right edge of the last column.
    const Row rows[] = {
        {"after 3 on a 6-row page: row 4", 800, 3, {8, 210}},
        {"after 4: the top of the right column", 800, 4, {313, 0}},
        {"after 6: still the top of the right column", 800, 6, {313, 0}},
        {"after 7: row 8", 800, 7, {313, 70}},
        {"after 23: row 24", 800, 23, {313, 790}},
        {"after the limit: the corner above row 22", 800, 24, {313, 640}},
        {"a number below any row: the corner", 800, -5, {313, 640}},
        {"after 5 on an 8-row page: row 6", 1024, 5, {8, 350}},
        {"after 6 on an 8-row page: row 9", 1024, 6, {425, 0}},
        {"after 31: row 32", 1024, 31, {425, 1070}},
        {"after 32: the corner above row 30", 1024, 32, {535, 920}},
        {"after 11 on 640: row 12", 640, 11, {233, 350}},
        {"after 12 on 640: the corner above row 10", 640, 12, {233, 200}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int pageWidth = pageBounds(PageSetup{row.screen, row.screen, PageRect{0, 0, 145, 600}}).width;
        EXPECT_EQ(answerBoxPosition(pageFor(row.screen), row.n, pageWidth), row.at);
    }
}

// The least scroll that shows a rectangle of the sheet wholly in a view 300 high.
TEST(PageLayout, ScrollsJustEnoughToShowARow) {
    struct Row {
        const char* name;
        int scrollTop;
        PageRect rect;
        std::optional<int> scroll;
    };
    const Row rows[] = {
        {"inside", 100, {8, 150, 303, 69}, std::nullopt},
        {"its bottom on the view's", 100, {8, 331, 303, 69}, std::nullopt},
        {"one pixel below", 100, {8, 332, 303, 69}, 101},
        {"far below: its bottom at the view's", 0, {8, 790, 303, 69}, 559},
        {"above: its top at the view's", 500, {8, 440, 303, 69}, 440},
        {"partly above", 460, {8, 440, 303, 69}, 440},
        {"taller than the view: its top", 0, {8, 400, 303, 350}, 400},
    };
    for (const Row& row : rows)
        EXPECT_EQ(scrollToShow(row.scrollTop, 300, row.rect), row.scroll) << row.name;
}

TEST(PageRows, ShowsAnEquationWithItsLabel) {
    Page page;
    ASSERT_TRUE(parseQuietly(page.algebra, page.algebra.EquationTable[3], "3x=9"));
    PageRows rows = page.pageRows();
    showEquation(rows, page.rows.findRowImage(3), 3, clBlue);
    const RecordingCanvas& row = page.rows[3];
    EXPECT_EQ(row.drawing(), "clear 3@2,32 x@22,32 =@42,32 9@62,32 ③@279,31");
    const CanvasCall* label = row.findText("③");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font.face, cp932("ＭＳ Ｐゴシック"));
    EXPECT_EQ(label->font.size, 16);
    EXPECT_EQ(label->font.charset, ShiftJisCharset);
    EXPECT_FALSE(label->font.italic);
    for (const CanvasCall& call : row.calls()) {
        if (call.kind != CanvasCall::Kind::Text) continue;
        EXPECT_EQ(call.font.colour, clBlue) << call.text;
    }
}

TEST(PageRows, ShowsTheProblemAndTheAnswersWithTheirPrefixes) {
    Page page;
    ASSERT_TRUE(parseQuietly(page.algebra, page.algebra.EquationTable[1], "2x+y=7"));
    ASSERT_TRUE(parseQuietly(page.algebra, page.algebra.EquationTable[SolutionSlotX], "x=3"));
    PageRows rows = page.pageRows();
    showEquation(rows, page.rows.findRowImage(1), 1, clBlack);
    showEquation(rows, page.rows.findRowImage(SolutionSlotX), SolutionSlotX, clBlack);
    EXPECT_EQ(page.rows[1].drawing(),
              "clear    @2,12 2@42,12 x@62,12 +@82,12 y@102,12 =@122,12 7@142,12 ①@279,16");
    EXPECT_EQ(page.rows[SolutionSlotX].drawing(), "clear ［答］　@2,12 x@92,12 =@112,12 3@132,12");
}

TEST(PageRows, RedrawsALongEquationCompactUnderItsStepSentence) {
    Page page(1024);
    MShiki& e = page.algebra.EquationTable[5];
    ASSERT_TRUE(parseQuietly(page.algebra, e, "2x+3y+4x+5y+6x+7y=1234"));
    e.stepText = cp932("①式と②式をたすと");
    PageRows rows = page.pageRows();
    showEquation(rows, page.rows.findRowImage(5), 5, clPurple);

    const RecordingCanvas& row = page.rows[5];
    const std::string drawing = row.drawing();
    const std::string compact = drawing.substr(drawing.rfind("clear"));
    EXPECT_EQ(compact,
              "clear ①式と②式をたすと@0,0 2@2,32 x@16,32 +@30,32 3@44,32 y@58,32 +@72,32 4@86,32 x@100,32 "
              "+@114,32 5@128,32 y@142,32 +@156,32 6@170,32 x@184,32 +@198,32 7@212,32 y@226,32 =@240,32 "
              "1234@254,32 ⑤@391,31");
    const CanvasCall* sentence = row.findText("①式と②式をたすと");
    ASSERT_NE(sentence, nullptr);
    EXPECT_EQ(sentence->font.size, 12);
    EXPECT_EQ(sentence->font.colour, clPurple);
    EXPECT_EQ(sentence->font.face, clearedSurfaceFont().face);
    EXPECT_EQ(row.calls().back().font.colour, clPurple);
    EXPECT_EQ(page.layout.cellWidth, 7);
}

// A step's sentence is written once, in black, whether its equation fits the
// row or is drawn compact.
TEST(PageRows, AStepsSentenceIsWrittenOnceInBlack) {
    for (const char* text : {"x=3", "2x+3y+4x+5y+6x+7y=1234"}) {
        SCOPED_TRACE(text);
        Page page;
        MShiki& e = page.algebra.EquationTable[5];
        ASSERT_TRUE(parseQuietly(page.algebra, e, text));
        e.stepText = cp932("④式を整理すると");
        PageRows rows = page.pageRows();
        showStep(rows, page.rows.findRowImage(5), 5, clBlue);
        const RecordingCanvas& row = page.rows[5];
        const std::string drawing = row.drawing();
        const std::string last = drawing.substr(drawing.rfind("clear"));
        int sentences = 0;
        for (std::size_t at = last.find("④式を整理すると"); at != std::string::npos;
             at = last.find("④式を整理すると", at + 1))
            ++sentences;
        EXPECT_EQ(sentences, 1) << last;
        const CanvasCall* sentence = row.findText("④式を整理すると");
        ASSERT_NE(sentence, nullptr);
        EXPECT_EQ(sentence->font.colour, clBlack);
        EXPECT_EQ(row.findText("x")->font.colour, clBlue);
    }
}

TEST(PageRows, ReportsAnEquationWithoutARow) {
    Page page;
    PageRows rows = page.pageRows();
    showEquation(rows, nullptr, 5, clBlack);
    showEquation(rows, page.rows.findRowImage(3), 40, clBlack); // beyond the table
    showEquation(rows, page.rows.findRowImage(3), -1, clBlack);
    EXPECT_EQ(shownText(page.messages),
              (std::vector<std::string>{"message: 5box not fond", "message: 40box not fond",
                                        "message: -1box not fond"}));
    EXPECT_TRUE(page.rows[3].calls().empty());
}

TEST(PageRows, LabelsShortAndLongNumbers) {
    struct Row {
        int n;
        const char* drawing;
        int size;
    };
    Page page(1024);
    const Row rows[] = {
        {20, "⑳@391,31", 16}, {21, "(21)@391,31", 9}, {2, "②@391,16", 16}, {32, "(32)@391,31", 9}};
    PageRows pageRows = page.pageRows();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.n);
        drawRowLabel(pageRows, row.n);
        EXPECT_EQ(page.rows[row.n].drawing(), row.drawing);
        EXPECT_EQ(page.rows[row.n].font().size, row.size);
    }
    for (int n : {SolutionSlotX, SolutionSlotY, 0, -4, 99})
        drawRowLabel(pageRows, n);
    EXPECT_TRUE(page.rows[SolutionSlotX].calls().empty());
    EXPECT_TRUE(page.rows[SolutionSlotY].calls().empty());
}

TEST(PageRows, WritesTextRowsSixteenPixelsApart) {
    Page page;
    for (int r = 0; r <= 5; ++r)
        writeRowText(page.rows, 7, r, cp932("【答】解なし"), clRed);
    writeRowText(page.rows, 25, 1, "lost", clBlack);
    EXPECT_EQ(page.rows[7].drawing(),
              "【答】解なし@0,0 【答】解なし@0,16 【答】解なし@0,32 【答】解なし@0,48");
    EXPECT_EQ(page.rows[7].font().size, 12);
    EXPECT_EQ(page.rows[7].font().colour, clRed);
}

TEST(PageRows, OutlinesInNotXorAndSparesTheBrace) {
    Page page;
    toggleRowOutline(page.messages, page.rows, 3);
    toggleRowOutline(page.messages, page.rows, 1);
    toggleRowOutline(page.messages, page.rows, 0);
    toggleRowOutline(page.messages, page.rows, -1);
    toggleRowOutline(page.messages, page.rows, 25);
    EXPECT_EQ(page.rows[3].drawing(), "[1,0-302,68]");
    EXPECT_EQ(page.rows[1].drawing(), "[26,0-302,49]");
    EXPECT_EQ(page.rows[3].calls()[0].pen, clRed);
    EXPECT_EQ(page.rows[3].calls()[0].penMode, PenMode::NotXor);
    EXPECT_EQ(shownText(page.messages), std::vector<std::string>{"message: ww25"});
}

TEST(PageRows, MarksRowsAtTheirUpperRight) {
    Page page;
    markRow(page.rows, 3);
    markRow(page.rows, 2);
    markRow(page.rows, 99);
    EXPECT_EQ(page.rows[3].drawing(), "●@283,15");
    EXPECT_EQ(page.rows[2].drawing(), "●@278,3");
    EXPECT_EQ(page.rows[3].calls()[0].font.colour, clRed);
}

TEST(PageRows, PrintsThePageMessageOnTheNextRow) {
    struct Row {
        const char* name;
        int equationCount;
        int row;
        const char* drawing;
    };
    const Row rows[] = {
        {"after equation 3", 3, 4, "clear ①＋②@0,23"},
        {"before any equation: row 1, 50 high", 0, 1, "clear ①＋②@0,16"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Page page;
        printPageMessage(page.rows, row.equationCount, cp932("①＋②"));
        EXPECT_EQ(page.rows[row.row].drawing(), row.drawing);
        const CanvasFont& font = page.rows[row.row].font();
        EXPECT_TRUE(font.bold);
        EXPECT_EQ(font.colour, clFuchsia);
        EXPECT_EQ(font.size, 16);
    }
    Page page;
    printPageMessage(page.rows, 24, "x"); // no row 25 on this page
    printPageMessage(page.rows, 1 << 30, "x");
    for (int n = 1; n <= 24; ++n)
        EXPECT_TRUE(page.rows[n].calls().empty()) << n;

    Page wide(1024);
    printPageMessage(wide.rows, 32, "x"); // the next number is the first answer's
    EXPECT_TRUE(wide.rows[SolutionSlotX].calls().empty());
}

TEST(PageRows, TheOutlineFollowsTheMouseOverEquations) {
    struct Move {
        const char* name;
        int row; // 0: off the rows
        bool frozen;
        bool blinking;
        const char* outlined;
        int highlighted;
    };
    const Move moves[] = {
        {"onto row 3", 3, false, false, "3", 3},
        {"from 3 to 5", 5, false, false, "5", 5},
        {"staying on 5", 5, false, false, "5", 5},
        {"onto an empty row", 6, false, false, "", -1},
        {"onto row 2", 2, false, false, "2", 2},
        {"frozen over row 4", 4, true, false, "2", 2},
        {"frozen over an empty row", 7, true, false, "2", 2},
        {"frozen off the rows", 0, true, false, "2", 2},
        {"blinking over row 4", 4, false, true, "2", 2},
        {"blinking off the rows still removes it", 0, false, true, "", -1},
    };
    Page page;
    page.algebra.equationCount = 5;
    for (const Move& move : moves) {
        SCOPED_TRACE(move.name);
        page.state.hoverFrozen = move.frozen ? 1 : 0;
        if (move.row > 0)
            hoverOverRow(page.state, page.messages, page.rows, page.algebra.equationCount, move.row,
                         move.blinking);
        else
            hoverOffRows(page.state, page.messages, page.rows);
        EXPECT_EQ(page.rows.outlined(), move.outlined);
        EXPECT_EQ(page.state.highlightedEquation, move.highlighted);
    }
    EXPECT_TRUE(page.messages.empty());
}

TEST(PageRows, ClicksChooseOrMarkEquationsOnly) {
    EXPECT_EQ(rowClick(3, 5, false), RowClick::Choose);
    EXPECT_EQ(rowClick(5, 5, true), RowClick::Mark);
    EXPECT_EQ(rowClick(6, 5, false), RowClick::Nothing);
    EXPECT_EQ(rowClick(6, 5, true), RowClick::Nothing);
}

// Wherever a problem ends, the answer box lies on the sheet, so that
// scrolling reaches all of it, and inside one column.
TEST(PageLayout, TheAnswerBoxLiesOnTheSheetInsideAColumn) {
    for (int screen : {640, 800, 1024}) {
        const PageState page = pageFor(screen);
        const int pageWidth = pageBounds(PageSetup{screen, screen, PageRect{0, 0, 145, 600}}).width;
        const int rightColumn = rowImageRect(page, page.rowsPerScreen + 1)->left;
        for (int n = 3; n <= page.equationLimit; ++n) {
            SCOPED_TRACE(std::to_string(screen) + " after " + std::to_string(n));
            const PagePoint at = answerBoxPosition(page, n, pageWidth);
            const PageRect sheet = sheetRect(page, at);
            const int column = at.x < rightColumn ? RowLeft : rightColumn;
            EXPECT_GE(at.x, column);
            EXPECT_LE(at.x + answerBoxWidth(page), std::min(column + page.rowWidth, sheet.width));
            EXPECT_LE(at.y + KaiRect.height, sheet.height);
        }
    }
}

// The page follows what is written: the row just drawn wholly in view (the
// problem's rows with the message line above them), the answers once their
// box shows, nothing for a row the page lacks.
TEST(PagePresenter, KeepsTheNewestRowInView) {
    enum class Write { Step, Equation, Text };
    struct Row {
        const char* name;
        Write write;
        int n;
        int top;
        int scrolled;
        std::optional<int> boxAfter = std::nullopt;
    };
    const Row rows[] = {
        {"row 3 is in view", Write::Step, 3, 0, 0},
        {"row 6: its bottom at the view's", Write::Step, 6, 0, 119},
        {"row 13 on the second sheet", Write::Text, 13, 0, 209},
        {"row 7 at the top of the right column", Write::Step, 7, 300, 0},
        {"row 1 with the message line", Write::Equation, 1, 500, 0},
        {"an answer while its box is hidden", Write::Equation, SolutionSlotX, 0, 0},
        {"an answer in the box after 24", Write::Equation, SolutionSlotY, 0, 472, 24},
        {"a row the page lacks", Write::Step, 25, 40, 40},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Page page;
        SurfacePage shown(page);
        if (row.boxAfter) shown.placeAnswerBox(*row.boxAfter);
        shown.top = row.top;
        if (row.write == Write::Step) shown.showStep(row.n, clBlack);
        if (row.write == Write::Equation) shown.showEquation(row.n, clBlack);
        if (row.write == Write::Text) shown.writeRowText(row.n, 1, "x", clBlack);
        EXPECT_EQ(shown.top, row.scrolled);
    }
}

TEST(PagePresenter, PlacesTheAnswerBoxAfterTheLastStep) {
    struct Row {
        int screen;
        int n;
        PagePoint at;
    };
    const Row rows[] = {{800, 3, {8, 210}}, {800, 24, {313, 640}}, {1024, 32, {535, 920}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.screen) + " after " + std::to_string(row.n));
        Page page(row.screen);
        SurfacePage shown(page, row.screen);
        shown.placeAnswerBox(row.n);
        shown.placeAnswerBox(row.n);
        EXPECT_EQ(shown.box, row.at);
        EXPECT_EQ(shown.sheet, sheetRect(page.state, row.at));
        EXPECT_EQ(shown.bracesDrawn, 1); // once, when the box first shows
        shown.hideAnswerBox();
        EXPECT_EQ(shown.box, std::nullopt);
    }
}

TEST(PagePresenter, ShowsWhatItsRowsReportAndThePageMessage) {
    Page page;
    SurfacePage shown(page);
    shown.showEquation(25, clBlack);
    shown.toggleRowOutline(26);
    shown.writeRowText(27, 1, "x", clBlack);
    shown.markRow(28);
    EXPECT_EQ(shown.dialogs.shown, (std::vector<std::string>{"message: 25box not fond", "message: ww26"}));

    page.algebra.equationCount = 2;
    shown.setPageMessage(cp932("①"));
    shown.appendPageMessage(cp932("＋"));
    EXPECT_EQ(shown.message, cp932("①＋"));
    EXPECT_EQ(shown.pageMessage(), cp932("①＋"));
    EXPECT_EQ(shown.rows[3].drawing(), "clear ①@0,23 clear ①＋@0,23");
}

// The window on every screen: designed for a mouse screen at least 600
// wide, else a touch panel beside (landscape) or below (upright, phone) the
// page, whose rows fit the room left.
TEST(WindowLayout, FitsThePanelAndTheRowsToTheScreen) {
    struct Row {
        Viewport viewport;
        bool designed;
        PanelPlace place;
        int panelWidth, panelHeight, pageWidth, columns, rowWidth;
    };
    const Row rows[] = {
        {{1024, 768, false}, true, PanelPlace::Left, 145, 520, 879, 2, 415},
        {{1366, 768, false}, true, PanelPlace::Left, 145, 520, 1221, 2, 586},
        {{640, 480, false}, true, PanelPlace::Left, 145, 520, 495, 2, 223},
        {{1024, 768, true}, false, PanelPlace::Left, 340, 436, 684, 2, 325},
        {{768, 1024, true}, false, PanelPlace::Below, 768, 292, 768, 2, 367},
        {{810, 1080, true}, false, PanelPlace::Below, 810, 292, 810, 2, 388},
        {{390, 844, false}, false, PanelPlace::Below, 390, 436, 390, 1, 358},
        {{360, 740, true}, false, PanelPlace::Below, 360, 436, 360, 1, 328},
        {{844, 390, true}, false, PanelPlace::Left, 532, 292, 312, 1, 280},
    };
    for (const Row& row : rows) {
        const Viewport& v = row.viewport;
        SCOPED_TRACE(std::to_string(v.width) + "x" + std::to_string(v.height) +
                     (v.coarsePointer ? " touch" : ""));
        const WindowLayout window = windowLayout(v);
        PageState page = pageFor(v.width);
        layOutPage(page, window);
        EXPECT_EQ(window.designed, row.designed);
        EXPECT_EQ(window.panelPlace, row.place);
        EXPECT_EQ((std::array{window.panelWidth, window.panelHeight, window.pageWidth, page.columns,
                              page.rowWidth}),
                  (std::array{row.panelWidth, row.panelHeight, row.pageWidth, row.columns, row.rowWidth}));
        // Every row within the page, beside or below the other rows.
        for (int n = 1; n <= rowImageCount(page); ++n) {
            const PageRect rect = *rowImageRect(page, n);
            EXPECT_LE(rect.left + rect.width, window.pageWidth) << "row " << n;
        }
        // Every control inside the panel and the screen; on a touch panel none
        // over another, each large enough for a finger.
        std::vector<PageRect> controls;
        const auto onBox = [](PageRect box, PageRect key) {
            return PageRect{box.left + 1 + key.left, box.top + 1 + key.top, key.width, key.height};
        };
        for (int n = 1; n <= EquationButtons; ++n)
            controls.push_back(equationButtonRect(window, n));
        for (std::size_t i = 0; i < OperationPlaces.size(); ++i)
            controls.push_back(onBox(operationGroupRect(window), operationRect(window, i)));
        for (const PanelButton& button : PanelButtons)
            if (button.edition == Edition::Both) controls.push_back(panelButtonRect(window, button));
        controls.push_back(onBox(numberPadRect(window), operandDisplayRect(window)));
        for (const PadKey& key : PadKeys)
            controls.push_back(onBox(numberPadRect(window), padKeyRect(window, key)));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const PageRect& a = controls[i];
            EXPECT_TRUE(a.left >= 0 && a.top >= 0 &&
                        a.left + a.width <= std::min(window.panelWidth, v.width) &&
                        a.top + a.height <= window.panelHeight)
                << "control " << i;
            if (window.designed) continue; // the design's buttons overlap by a pixel
            EXPECT_TRUE(a.width >= TouchKey && a.height >= TouchKey) << "control " << i;
            for (std::size_t j = 0; j < i; ++j) {
                const PageRect& b = controls[j];
                const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                                   a.top + a.height <= b.top || b.top + b.height <= a.top;
                EXPECT_TRUE(apart) << "controls " << j << " and " << i;
            }
        }
    }
}

// One column holds a sheet's rows in reading order, page 2 below them, the
// answer box right after the last step.
TEST(PageLayout, OneColumnHoldsBothColumnsOfASheet) {
    PageState page = pageFor(800);
    fitPageColumns(page, 390);
    EXPECT_EQ(page.columns, 1);
    EXPECT_EQ(rowImageRect(page, 2), (PageRect{8, 80, 358, 50}));
    EXPECT_EQ(rowImageRect(page, 7), (PageRect{8, 420, 358, 69}));
    EXPECT_EQ(rowImageRect(page, 12), (PageRect{8, 770, 358, 69}));
    EXPECT_EQ(page2Rect(page).top, 840);
    EXPECT_EQ(rowImageRect(page, 13), (PageRect{8, 860, 358, 69}));
    EXPECT_EQ(answerBoxPosition(page, 5, 390), (PagePoint{8, 350}));
    EXPECT_EQ(sheetRect(page, std::nullopt).width, 370);
}

// Laid out anew, the rows are drawn as they would be on a page made at the
// new size: equations, sentences, outlines, marks and the message; the
// answer box goes back after its row and the top row stays at the top.
TEST(PagePresenter, DrawsTheRowsAgainForANewLayout) {
    const auto work = [](SurfacePage& shown, Page& page) {
        parseQuietly(page.algebra, page.algebra.EquationTable[3], "12x+34y-56=78x");
        page.algebra.EquationTable[3].stepText = cp932("①式と②式をたすと");
        page.algebra.equationCount = 3;
        shown.showStep(3, clBlue);
        shown.writeRowText(3, 2, "x", clRed);
        shown.toggleRowOutline(3);
        shown.markRow(3);
        shown.setPageMessage(cp932("④代入②"));
        shown.placeAnswerBox(3);
    };
    const auto narrow = [](PageState& state) { fitPageColumns(state, 390); };
    Page before;
    SurfacePage relaid(before);
    work(relaid, before);
    relaid.top = 140;
    relaid.layOutAgain(narrow);

    Page after;
    SurfacePage fresh(after);
    narrow(after.state);
    fresh.rows = RecordedRows(after.state);
    work(fresh, after);
    for (int n : {3, 4})
        EXPECT_EQ(relaid.rows[n].drawing(), fresh.rows[n].drawing()) << "row " << n;
    EXPECT_EQ(relaid.box, fresh.box);
    EXPECT_EQ(relaid.top, 140); // row 3 is still at the top
}

// Every row has its text for a screen reader: label, sentence and equation
// once drawn, the message on the next row, what is written below, the outline.
TEST(PagePresenter, TellsWhatEachRowShows) {
    enum class Do { Equation, Step, Blank, Message, Outline, Write, Stars };
    const struct Row {
        std::vector<Do> actions;
        int n;
        const char* described;
        std::vector<std::string> announced;
    } rows[] = {
        {{Do::Equation}, 1, "①　2x+y=7*", {"①　2x+y=7"}},
        {{Do::Step}, 3, "③　①と②をたすと　3x=9*", {"③　①と②をたすと　3x=9"}},
        {{Do::Step, Do::Outline}, 3, "③　①と②をたすと　3x=9（選択中）*", {"③　①と②をたすと　3x=9"}},
        {{Do::Step, Do::Outline, Do::Outline}, 3, "③　①と②をたすと　3x=9*", {"③　①と②をたすと　3x=9"}},
        {{Do::Step, Do::Outline, Do::Step},
         3,
         "③　①と②をたすと　3x=9*",
         {"③　①と②をたすと　3x=9", "③　①と②をたすと　3x=9"}},
        {{Do::Step, Do::Blank}, 3, "", {"③　①と②をたすと　3x=9"}},
        {{Do::Message}, 3, "①＋", {}},
        {{Do::Stars, Do::Write, Do::Stars}, 3, "【答】解なし", {"【答】解なし"}},
        {{Do::Equation}, SolutionSlotX, "2x+y=7", {"2x+y=7"}},
    };
    for (const Row& row : rows) {
        Page page;
        SurfacePage shown(page);
        ScriptedDialogs dialogs;
        MShiki& equation = page.algebra.EquationTable[static_cast<std::size_t>(row.n)];
        ASSERT_TRUE(parseQuietly(page.algebra, equation, row.n == 3 ? "3x=9" : "2x+y=7"));
        if (row.n == 3) equation.stepText = cp932("①と②をたすと");
        page.algebra.equationCount = 2;
        for (const Do action : row.actions) {
            if (action == Do::Equation) shown.showEquation(row.n, clBlack);
            if (action == Do::Step) shown.showStep(row.n, clBlack);
            if (action == Do::Blank) shown.blankRow(row.n);
            if (action == Do::Message) shown.setPageMessage(cp932("①＋"));
            if (action == Do::Outline) shown.toggleRowOutline(row.n);
            if (action == Do::Write) shown.writeRowText(row.n, 3, cp932("【答】解なし"), clRed);
            if (action == Do::Stars) shown.writeRowText(row.n, 2, std::string(20, '*'), clBlack);
        }
        SCOPED_TRACE(std::to_string(row.n) + " " + std::to_string(row.actions.size()));
        EXPECT_EQ(shown.described[row.n], row.described);
        EXPECT_EQ(shown.announced, row.announced);
    }
}

} // namespace
} // namespace tavolini
