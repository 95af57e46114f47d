// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "files/problem_set.h"
#include "presentation/print_job.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

// A page of A4 at 600 dpi that writes down what is drawn, "name@x,y wxh" and
// "text@x,y"; "page" for each new page.
class RecordingTarget final : public PrintTarget {
  public:
    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    int resolution() const override { return 600; }
    bool newPage() override {
        calls.push_back("page");
        return !failOnNewPage;
    }
    void drawImage(const PrintImage& image, const PageRect& r) override {
        calls.push_back(image.name + "@" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                        std::to_string(r.width) + "x" + std::to_string(r.height));
    }
    void drawText(int x, int y, int points, std::string_view text) override {
        calls.push_back(utf8FromCp932(text) + "@" + std::to_string(x) + "," + std::to_string(y) + " " +
                        std::to_string(points) + "pt");
    }

    int width = 4961;
    int height = 7016;
    bool failOnNewPage = false;
    std::vector<std::string> calls;
};

// Rows of a 1024-pixel screen: ① and ② 415 x 50, the steps 415 x 69.
StepPrintout printout(int equations, bool solved) {
    StepPrintout p;
    p.title = problemTitle(2, 3);
    p.screenWidth = 1024;
    for (int n = 1; n <= equations; ++n)
        p.rows.push_back(PrintImage{"Image" + std::to_string(n), 415, n <= 2 ? 50 : 69});
    p.brace = PrintImage{"imgKakko", 25, 100};
    p.answerBoxShown = solved;
    p.answerX = PrintImage{"Image33", 295, 50};
    p.answerY = PrintImage{"Image34", 295, 50};
    p.answerBrace = PrintImage{"imgKotaeKakko", 70, 100};
    return p;
}

TEST(PrintJob, MeasuresByThePageAndTheSettings) {
    struct Row {
        PrintSettings settings;
        int pageWidth;
        int k, z, left;
    };
    const Row rows[] = {
        {{6, 2}, 4961, 4, 3, 768}, {{0, 2}, 4961, 4, 3, 0},  {{10, 5}, 4961, 4, 6, 1280},
        {{6, 1}, 800, 1, 2, 192},  {{-3, 9}, 4961, 4, 6, 0}, // out of range: clamped
    };
    for (const Row& row : rows) {
        const PrintLayout layout = printLayout(row.settings, row.pageWidth, 7016, 1024);
        EXPECT_EQ(layout.k, row.k) << row.pageWidth;
        EXPECT_EQ(layout.z, row.z);
        EXPECT_EQ(layout.left, row.left);
        EXPECT_EQ(layout.topMargin, 100 * row.k);
        EXPECT_EQ(layout.bottomLimit, 7016 - 200 * row.k);
        EXPECT_EQ(layout.titleGap, 50 * row.k);
    }
    EXPECT_EQ(printPreviewText(3), "   ax+by=c");
    EXPECT_EQ(printPreviewPoints(1), 14);
    EXPECT_EQ(printPreviewPoints(5), 30);
}

// The title, ① and ② each as high as its control shows, the brace at ①,
// the steps 213 apart at size 2 (426 at size 5), then the answers.
TEST(PrintJob, PrintsTheStepsOneUnderTheOther) {
    RecordingTarget target;
    ASSERT_TRUE(printSteps(target, printout(4, true), {6, 2}));
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"2 (3)次の連立方程式を解きなさい@768,400 12pt",
                                        "Image1@768,600 1245x150", "Image2@768,756 1245x150",
                                        "imgKakko@768,600 75x300", "Image3@768,912 1245x207",
                                        "Image4@768,1125 1245x207", "Image33@788,1338 885x150",
                                        "Image34@788,1494 885x150", "imgKotaeKakko@768,1338 210x300"}));
    RecordingTarget large;
    ASSERT_TRUE(printSteps(large, printout(4, false), {0, 5}));
    EXPECT_EQ(large.calls[4], "Image3@0,1224 2490x414");
    EXPECT_EQ(large.calls[5], "Image4@0,1650 2490x414");
    EXPECT_EQ(large.calls.size(), 6u);
}

// A row that ends below the bottom limit stays whole on its page; the next
// one starts the new page at the top margin. A failing printer ends the job.
TEST(PrintJob, BreaksThePageAfterTheRowThatPassesTheLimit) {
    RecordingTarget target;
    target.height = 1700 + 800; // bottom limit 1700 with k 4: ④ ends at 2076
    ASSERT_TRUE(printSteps(target, printout(5, false), {0, 5}));
    EXPECT_EQ(target.calls, (std::vector<std::string>{
                                "2 (3)次の連立方程式を解きなさい@0,400 12pt", "Image1@0,600 2490x300",
                                "Image2@0,912 2490x300", "imgKakko@0,600 150x600", "Image3@0,1224 2490x414",
                                "Image4@0,1650 2490x414", "page", "Image5@0,400 2490x414"}));
    RecordingTarget failing;
    failing.height = 2400;
    failing.failOnNewPage = true;
    EXPECT_FALSE(printSteps(failing, printout(5, false), {0, 5}));
    EXPECT_EQ(failing.calls.back(), "page");
}

// The limit is inclusive: a row (with its space below) that ends exactly on
// it leaves the next row on the same page; one pixel beyond breaks it.
TEST(PrintJob, ARowEndingOnTheLimitKeepsTheNextOneOnItsPage) {
    struct Row {
        int width, height, size;
        std::vector<std::string> afterFourthRow; // up to ⑤
    };
    const Row rows[] = {
        // k 4, z 6: ④ ends at 2076; the bottom limit is the height less 800.
        {4961, 2076 + 800, 5, {"Image5@0,2076 2490x414"}},
        {4961, 2075 + 800, 5, {"page", "Image5@0,400 2490x414"}},
        // k 1, z 2: ④ ends at 642; the bottom limit is the height less 200.
        {800, 642 + 200, 1, {"Image5@0,642 830x138"}},
        {800, 641 + 200, 1, {"page", "Image5@0,100 830x138"}},
    };
    for (const Row& row : rows) {
        RecordingTarget target;
        target.width = row.width;
        target.height = row.height;
        ASSERT_TRUE(printSteps(target, printout(5, false), {0, row.size}));
        const auto firstCall = [&](const char* name) {
            return std::find_if(target.calls.begin(), target.calls.end(),
                                [name](const std::string& call) { return call.starts_with(name); });
        };
        const auto fourth = firstCall("Image4@"), fifth = firstCall("Image5@");
        ASSERT_NE(fifth, target.calls.end());
        ASSERT_LT(fourth, fifth);
        EXPECT_EQ(std::vector<std::string>(fourth + 1, fifth + 1), row.afterFourthRow)
            << row.width << "x" << row.height;
    }
}

TEST(PrintJob, PrintsTheWholePageAtTheScreensSize) {
    RecordingTarget target;
    printWholePage(target, {"frmPage", 871, 684});
    EXPECT_EQ(target.calls, std::vector<std::string>{"frmPage@0,0 5443x4275"});
}

} // namespace
} // namespace tavolini
