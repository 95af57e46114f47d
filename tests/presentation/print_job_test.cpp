// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/parser.h"
#include "files/problem_set.h"
#include "presentation/print_job.h"
#include "presentation/svg_print_target.h"
#include "support/parse_quietly.h"
#include "support/recording_canvas.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

// A page of A4 at 600 dpi that writes down what is drawn: "canvas@x,y wxh"
// for each row's canvas (kept, to look at what the layout drew on it),
// "brace@...", "text@x,y" and "window@..."; "page" for each new page.
class RecordingTarget final : public PrintTarget {
  public:
    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    int resolution() const override { return 600; }
    bool newPage() override {
        calls.push_back("page");
        return !failOnNewPage;
    }
    Canvas& canvas(const PageRect& r, int layoutWidth, int layoutHeight) override {
        calls.push_back("canvas" + at(r));
        return canvases.emplace_back(layoutWidth, layoutHeight);
    }
    const TextMeasure& measure() const override { return m_measure; }
    void drawBrace(const PageRect& r) override { calls.push_back("brace" + at(r)); }
    void drawText(int x, int y, int points, std::string_view text) override {
        calls.push_back(utf8FromCp932(text) + "@" + std::to_string(x) + "," + std::to_string(y) + " " +
                        std::to_string(points) + "pt");
    }
    void drawPageWindow(const PageRect& r) override { calls.push_back("window" + at(r)); }

    int width = 4961;
    int height = 7016;
    bool failOnNewPage = false;
    std::vector<std::string> calls;
    std::deque<RecordingCanvas> canvases;

  private:
    static std::string at(const PageRect& r) {
        return "@" + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) +
               "x" + std::to_string(r.height);
    }
    TextMeasure m_measure;
};

// The typical road's first rows in the table, and the rows of a 1024-pixel
// screen: ① and ② 415 x 50, the steps 415 x 69, the answers 295 x 50.
struct Road {
    Road() {
        const char* texts[] = {"", "2x+y=7", "x-y=2", "3x=9", "x=3", "3-y=2", "-y=-3+2", "-y=-1", "y=1"};
        for (int n = 1; n <= 8; ++n)
            parseQuietly(algebra, algebra.EquationTable[static_cast<std::size_t>(n)], texts[n]);
        algebra.EquationTable[3].stepText = cp932("①式と②式をたすと");
        parseQuietly(algebra, algebra.EquationTable[SolutionSlotX], "x=3");
        parseQuietly(algebra, algebra.EquationTable[SolutionSlotY], "y=1");
    }
    StepPrintout printout(int equations, bool solved) const {
        StepPrintout p;
        p.title = problemTitle(2, 3);
        for (int n = 1; n <= equations; ++n)
            p.rows.push_back({n, n > 2, n == 4 ? clBlue : clBlack, 415, n <= 2 ? 50 : 69});
        p.answerBoxShown = solved;
        p.answerX = PrintRow{SolutionSlotX, false, clBlack, 295, 50};
        p.answerY = PrintRow{SolutionSlotY, false, clBlack, 295, 50};
        return p;
    }
    bool print(RecordingTarget& target, int equations, bool solved, PrintSettings settings) {
        return printSteps(target, printout(equations, solved), settings, algebra, layout, messages);
    }

    Messages messages;
    Algebra algebra;
    LayoutState layout;
};

// At size 2 a row is as tall on paper as on a 96-dpi screen; the sizes scale
// it by (size + 1) / 3 as far as the widest row fits beside the margin, which
// counts cells of that size.
TEST(PrintJob, MeasuresByThePageAndTheSettings) {
    struct Row {
        PrintSettings settings;
        int pageWidth;
        int k, left, stepRowHeight;
    };
    const Row rows[] = {
        {{6, 2}, 4961, 4, 375, 431},                              // 431 device pixels at 600 dpi: 18.2 mm
        {{0, 1}, 4961, 4, 0, 288},    {{0, 5}, 4961, 4, 0, 825},  // size 5 is as wide as the page
        {{10, 5}, 4961, 4, 963, 665}, {{-3, 9}, 4961, 4, 0, 825}, // out of range: clamped
        {{6, 2}, 800, 1, 101, 116},                               // a narrow page: the row fits it
    };
    for (const Row& row : rows) {
        const PrintLayout layout = printLayout(row.settings, row.pageWidth, 7016, 600, 1024, 415);
        EXPECT_EQ(layout.k, row.k) << row.pageWidth;
        EXPECT_EQ(layout.left, row.left) << row.settings.margin << " " << row.settings.size;
        EXPECT_EQ(std::lround(69 * layout.scale), row.stepRowHeight) << row.settings.size;
        EXPECT_LE(layout.left + std::lround(415 * layout.scale), row.pageWidth);
        EXPECT_EQ(layout.topMargin, 100 * row.k);
        EXPECT_EQ(layout.bottomLimit, 7016 - 200 * row.k);
        EXPECT_EQ(layout.titleGap, 50 * row.k);
    }
    EXPECT_EQ(printPreviewText(3), "   ax+by=c");
    EXPECT_EQ(printPreviewPoints(1), 14);
    EXPECT_EQ(printPreviewPoints(5), 30);
}

// The title; ① and ② as high as their controls show, the brace beside
// them; the steps; then the answers behind "[答]" and its brace. Each row is
// drawn by the page's layout, its sentence above it.
TEST(PrintJob, DrawsTheStepsOneUnderTheOther) {
    Road road;
    RecordingTarget target;
    ASSERT_TRUE(road.print(target, 4, true, {6, 2}));
    EXPECT_EQ(target.calls, (std::vector<std::string>{"2 (3)次の連立方程式を解きなさい@375,400 12pt",
                                                      "canvas@375,600 2594x313", "canvas@375,925 2594x313",
                                                      "brace@413,625 88x575", "canvas@375,1250 2594x431",
                                                      "canvas@375,1694 2594x431", "canvas@375,2138 1844x313",
                                                      "canvas@375,2463 1844x313", "canvas@375,2138 438x625",
                                                      "brace@700,2163 88x575"}));
    EXPECT_EQ(target.canvases[0].width(), 415);
    EXPECT_EQ(target.canvases[0].height(), 50);
    EXPECT_NE(target.canvases[0].texts().find("①"), std::string::npos);
    const std::string step = target.canvases[2].texts();
    ASSERT_NE(target.canvases[2].findText("①式と②式をたすと"), nullptr) << step;
    EXPECT_EQ(target.canvases[2].findText("①式と②式をたすと")->y1, 0); // above the equation
    EXPECT_NE(step.find("9"), std::string::npos) << step;
    EXPECT_EQ(target.canvases[3].calls().back().font.colour, clBlack); // the label
    // "[答]" and its brace cover the start of the answers' rows, as on the page.
    EXPECT_EQ(target.canvases[6].calls().front().kind, CanvasCall::Kind::Fill);
    EXPECT_NE(target.canvases[6].texts().find("[答]"), std::string::npos);
}

// A row that ends below the bottom limit stays whole on its page; the next
// one starts the new page at the top margin. A page is begun only for what
// follows: no blank sheet after the last row, the answers on a new page when
// they follow it. A failing printer ends the job.
TEST(PrintJob, BreaksThePageOnlyBeforeWhatFollows) {
    // Size 5, margin 0 (11.954 device pixels a pixel): ③ ends at 2693, ④,
    // 849 further, below the bottom limit of 3000.
    // The limit is inclusive: ④ (with its space below) ending exactly on it
    // leaves ⑤ on the same page; one pixel beyond breaks it.
    const struct {
        int rows;
        bool solved;
        int bottomLimit;
        std::vector<std::string> end; // from ④ on
    } rows[] = {
        {5, false, 3000, {"canvas@0,2693 4961x825", "page", "canvas@0,400 4961x825"}},
        {4, false, 3000, {"canvas@0,2693 4961x825"}},
        {4,
         true,
         3000,
         {"canvas@0,2693 4961x825", "page", "canvas@0,400 3526x598", "canvas@0,1022 3526x598",
          "canvas@0,400 837x1195", "brace@622,448 167x1100"}},
        {5, false, 3542, {"canvas@0,2693 4961x825", "canvas@0,3542 4961x825"}},
        {5, false, 3541, {"canvas@0,2693 4961x825", "page", "canvas@0,400 4961x825"}},
    };
    for (const auto& row : rows) {
        Road road;
        RecordingTarget target;
        target.height = row.bottomLimit + 800; // 200 k below the limit
        ASSERT_TRUE(road.print(target, row.rows, row.solved, {0, 5}));
        const auto fourth = std::find(target.calls.begin(), target.calls.end(), "canvas@0,2693 4961x825");
        EXPECT_EQ(std::vector<std::string>(fourth, target.calls.end()), row.end) << row.rows << row.solved;
    }
    Road road;
    RecordingTarget failing;
    failing.height = 3800;
    failing.failOnNewPage = true;
    EXPECT_FALSE(road.print(failing, 5, false, {0, 5}));
    EXPECT_EQ(failing.calls.back(), "page");
}

// The page window at the screen's size where it fits the paper, else made
// smaller to fit it, keeping its shape.
TEST(PrintJob, PrintsTheWholePageOnOnePage) {
    const struct {
        int width, height;
        const char* drawn;
    } rows[] = {
        {480, 300, "window@0,0 3000x1875"},
        {871, 684, "window@0,0 4961x3896"},
        {600, 1400, "window@0,0 3007x7016"},
    };
    for (const auto& row : rows) {
        RecordingTarget target;
        printWholePage(target, row.width, row.height);
        EXPECT_EQ(target.calls, std::vector<std::string>{row.drawn});
    }
}

// Text in the browser's faces: its baseline 4 pixels above the bottom of its cell.
class BaselineMeasure final : public SvgTextMeasure {
  public:
    int ascent(const CanvasFont& font) const override { return pixelsFromPoints(font.size) - 4; }
};

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

TEST(SvgPrint, EscapesWhatXmlReserves) {
    const std::pair<const char*, const char*> rows[] = {{"a&b", "a&amp;b"},
                                                        {"<x>", "&lt;x&gt;"},
                                                        {"\"'", "&quot;&apos;"},
                                                        {"x\xE2\x88\x92y", "x\xE2\x88\x92y"},
                                                        {"", ""}};
    for (const auto& [text, escaped] : rows)
        EXPECT_EQ(xmlEscaped(text), escaped) << text;
}

// What a row's canvas draws lands in an SVG of its own at the row's place on
// the paper, in the layout's pixels: text at its baseline in the shipped
// face, lines through the pixels' middles, outlines and fills, each in its
// colour.
TEST(SvgPrint, DrawsARowAsTextAndPaths) {
    const BaselineMeasure measure;
    const struct {
        void (*draw)(Canvas&);
        const char* written;
    } rows[] = {
        {[](Canvas& c) { c.textOut(3, 4, cp932("x-y=2")); },
         "<text x=\"3\" y=\"12\" font-family=\"'IPAPGothic',sans-serif\" font-size=\"12\" "
         "fill=\"rgb(0,0,0)\">x-y=2</text>"},
        {[](Canvas& c) {
             CanvasFont font{.face = "Bookman Old Style", .italic = true, .size = 18, .colour = clBlue};
             c.setFont(font);
             c.textOut(0, 0, "x-y<2&");
         },
         "y=\"20\" font-family=\"'TeX Gyre Bonum',sans-serif\" font-size=\"24\" font-style=\"italic\" "
         "fill=\"rgb(0,0,255)\">x\xE2\x88\x92y&lt;2&amp;</text>"},
        {[](Canvas& c) {
             c.setPen(clRed, PenMode::Copy);
             c.line(2, 10, 40, 10);
         },
         "<path d=\"M2 10.5L40 10.5\" stroke=\"rgb(255,0,0)\" stroke-width=\"1\"/>"},
        {[](Canvas& c) { c.line(5, 0, 5, 30); }, "d=\"M5.5 0L5.5 30\""},
        {[](Canvas& c) {
             c.setPen(clFuchsia, PenMode::NotXor);
             c.rectangle(0, 0, 415, 50);
         },
         "<rect x=\"0.5\" y=\"0.5\" width=\"414\" height=\"49\" fill=\"none\" stroke=\"rgb(255,0,255)\""},
        {[](Canvas& c) { c.fillRect(1, 2, 11, 7, clLime); },
         "<rect x=\"1\" y=\"2\" width=\"10\" height=\"5\" fill=\"rgb(0,255,0)\"/>"},
    };
    for (const auto& row : rows) {
        SvgPrintTarget target(measure);
        Canvas& canvas = target.canvas({60, 150, 830, 100}, 415, 50);
        row.draw(canvas);
        const std::vector<std::string> pages = target.pages();
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_NE(pages[0].find("<svg x=\"60\" y=\"150\" width=\"830\" height=\"100\" viewBox=\"0 0 415 50\" "
                                "preserveAspectRatio=\"none\">"),
                  std::string::npos);
        EXPECT_NE(pages[0].find(row.written), std::string::npos) << pages[0];
        EXPECT_EQ(count(pages[0], "<svg"), count(pages[0], "</svg>")) << pages[0];
    }
}

// The typical road on A4 at 96 dpi: at size 2 the rows print as the screen
// shows them, the title 100 pixels down, the rows from 150; at size 5 the
// rows that pass the bottom limit go on a second sheet. Every sheet is a
// whole document of A4.
TEST(SvgPrint, PrintsTheRoadOnSheetsOfA4) {
    const struct {
        PrintSettings settings;
        int equations;
        std::vector<const char*> firstPage, secondPage;
    } rows[] = {
        {{6, 2},
         6,
         {">2 (3)次の連立方程式を解きなさい</text>", "<text x=\"60\" y=\"112\"",
          "<svg x=\"60\" y=\"150\" width=\"415\" height=\"50\"", "<svg x=\"60\" y=\"202\" width=\"415\"",
          "<svg x=\"60\" y=\"254\" width=\"415\" height=\"69\"", "stroke-linecap=\"round\"", "[答]</text>",
          "fill=\"rgb(0,0,255)\""},
         {}},
        {{0, 5},
         8,
         {"<svg x=\"0\" y=\"150\" width=\"794\" height=\"96\""},
         {"<svg x=\"0\" y=\"100\" width=\"794\""}},
    };
    const BaselineMeasure measure;
    for (const auto& row : rows) {
        Road road;
        SvgPrintTarget target(measure);
        ASSERT_TRUE(printSteps(target, road.printout(row.equations, true), row.settings, road.algebra,
                               road.layout, road.messages));
        const std::vector<std::string> pages = target.pages();
        ASSERT_EQ(pages.size(), row.secondPage.empty() ? 1u : 2u);
        for (const std::string& page : pages) {
            EXPECT_EQ(page.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"210mm\" height=\"297mm\" "
                                 "viewBox=\"0 0 794 1123\"",
                                 0),
                      0u);
            EXPECT_EQ(count(page, "<svg"), count(page, "</svg>")) << page;
        }
        for (const char* part : row.firstPage)
            EXPECT_NE(pages[0].find(part), std::string::npos) << part << "\n" << pages[0];
        for (const char* part : row.secondPage)
            EXPECT_EQ(pages[1].find(part), pages[1].find("<svg", 1)) << part << "\n" << pages[1];
    }
}

} // namespace
} // namespace tavolini
