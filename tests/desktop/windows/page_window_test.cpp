// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/parser.h"
#include "desktop/windows/page_window.h"
#include "support/parse_quietly.h"
#include "support/scripted_dialogs.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace tavolini {
namespace {

// The command panel's side of the page, writing down what reached it.
class RecordedEvents final : public PageEvents {
  public:
    void chooseEquation(int n) override { chosen.push_back(n); }
    void pageKey(int keyCode, bool shift, std::string_view text) override {
        keyCodes.push_back(shift ? -keyCode : keyCode);
        texts += text;
    }
    bool nextProblemBlinking() const override { return blinking; }

    std::vector<int> chosen;
    std::vector<int> keyCodes; // negative with Shift held
    std::string texts;
    bool blinking = false;
};

// A page window in a main window as wide as the screen.
struct Page {
    explicit Page(int screenWidth = 800, int pageHeight = 684) {
        main.resize(screenWidth, pageHeight + 56);
        const PageSetup setup{screenWidth, screenWidth, PageRect{0, 0, 145, pageHeight}};
        page = new TfrmPage(algebra, dialogs, layout, state, events, setup, &main);
        main.show();
    }

    RowImage* row(int n) const { return page->findRowImage(n); }

    void parse(int n, const char* text, const char* step = "") {
        ASSERT_TRUE(parseQuietly(algebra, algebra.EquationTable[static_cast<std::size_t>(n)], text)) << text;
        algebra.EquationTable[static_cast<std::size_t>(n)].stepText = cp932(step);
    }

    template <typename T> T* control(const char* name) const {
        return page->findChild<T*>(QString::fromLatin1(name));
    }

    ScriptedDialogs dialogs;
    Algebra algebra;
    LayoutState layout;
    PageState state;
    RecordedEvents events;
    QWidget main;
    TfrmPage* page = nullptr;
};

QRgb pixel(const RowImage* row, int x, int y) {
    return row->picture().pixel(x, y) & 0xFFFFFFu;
}

// Pixels of exactly this colour inside the rectangle.
int countColour(const QImage& image, QRect area, QRgb colour) {
    int count = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFFu) == colour;
    return count;
}

void moveOver(QWidget* widget) {
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Each row shows where its number says: an outlined row's red frame stands
// at that place on the sheet. The rows are named by their numbers, as the
// scenarios find them, and there are no others.
TEST(PageWindow, ShowsEachRowInItsPlace) {
    struct Row {
        int screen;
        int rows;
        int n;
        QPoint corner; // of the outline, on the sheet
    };
    const Row rows[] = {
        {640, 24, 7, {234, 0}},      {800, 24, 2, {34, 80}},     {800, 24, 13, {9, 440}},
        {1024, 32, 32, {426, 1070}}, {1920, 24, 24, {874, 790}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.screen) + " row " + std::to_string(row.n));
        Page page(row.screen);
        for (int n = 1; n <= 40; ++n) {
            const bool exists = n <= row.rows || n == SolutionSlotX || n == SolutionSlotY;
            ASSERT_EQ(page.row(n) != nullptr, exists) << n;
            if (exists) {
                EXPECT_EQ(page.row(n)->objectName(), QStringLiteral("Image%1").arg(n));
            }
        }
        page.page->toggleRowOutline(row.n);
        const QImage sheet = page.page->sheet()->grab().toImage();
        EXPECT_EQ(sheet.pixel(row.corner) & 0xFFFFFFu, 0xFF0000u);
        EXPECT_EQ(sheet.pixel(row.corner - QPoint(1, 0)) & 0xFFFFFFu, 0xFFFFFFu);
    }
}

TEST(PageWindow, HasTheDesignedControls) {
    Page page(1024);
    QGroupBox* answerBox = page.control<QGroupBox>("grbKai");
    ASSERT_NE(answerBox, nullptr);
    EXPECT_FALSE(answerBox->isVisible());
    EXPECT_EQ(answerBox->title(), QStringLiteral(u"解"));
    for (const char* name : {"Image33", "Image34", "imgKotaeKakko"}) {
        RowImage* image = page.control<RowImage>(name);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->parentWidget(), answerBox) << name;
    }
    EXPECT_EQ(page.row(SolutionSlotX), page.control<RowImage>("Image33"));
    for (const char* name : {"lblStarX", "lblStarY"})
        EXPECT_EQ(page.control<QLabel>(name)->text(), QString(24, QChar(u'★'))) << name;
    QLineEdit* page2 = page.control<QLineEdit>("edtPage2");
    EXPECT_EQ(page2->text(), QStringLiteral("Page2"));
    EXPECT_EQ(page2->toolTip(), QStringLiteral(u"２ページを表示"));
    EXPECT_TRUE(page2->isReadOnly());

    // The braces are our own bitmaps: ink on white, the white showing at the corners.
    const QImage& brace = page.control<RowImage>("imgKakko")->picture();
    EXPECT_EQ(brace.size(), QSize(25, 100));
    EXPECT_EQ(brace.pixel(0, 0) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_GT(countColour(brace, brace.rect(), 0x000000u), 50);
    page.page->placeAnswerBox(5); // the [答] brace is drawn when the box first shows
    const QImage& answerBrace = page.control<RowImage>("imgKotaeKakko")->picture();
    EXPECT_EQ(answerBrace.size(), QSize(70, 100));
    EXPECT_GT(countColour(answerBrace, QRect(0, 0, 50, 100), 0x000000u), 20);  // [答]
    EXPECT_GT(countColour(answerBrace, QRect(50, 0, 20, 100), 0x000000u), 20); // the brace
}

TEST(PageWindow, AnOutlineDrawnTwiceRestoresTheRow) {
    for (int n : {3, 1}) {
        SCOPED_TRACE(n);
        Page page;
        page.parse(n, "2x+3y=12");
        page.page->showEquation(n, clBlack);
        RowImage* row = page.row(n);
        const QImage before = row->picture();
        const int left = n <= 2 ? 26 : 1;

        page.page->toggleRowOutline(n);
        EXPECT_EQ(pixel(row, left, 0), 0xFF0000u);
        EXPECT_EQ(pixel(row, left - 1, 0), 0xFFFFFFu);
        EXPECT_EQ(pixel(row, row->width() - 2, row->height() - 2), 0xFF0000u);
        EXPECT_EQ(pixel(row, row->width() - 1, 0), 0xFFFFFFu);
        page.page->toggleRowOutline(n);
        EXPECT_EQ(row->picture(), before);
    }
}

TEST(PageWindow, RedrawsALongEquationCompactWithItsSentence) {
    Page page;
    page.parse(5, "2x+3y+4x+5y+6x+7y=1234", "①式と②式をたすと");
    page.parse(6, "2x+3y=1234", "①式と②式をたすと");
    page.page->showEquation(5, clPurple);
    page.page->showEquation(6, clPurple);
    const QImage& compact = page.row(5)->picture();
    const QImage& roomy = page.row(6)->picture();
    const QRect sentence(0, 0, 200, 14);
    EXPECT_GT(countColour(compact, sentence, 0x800080u), 10); // the sentence, in the equation's colour
    EXPECT_EQ(countColour(roomy, sentence, 0xFFFFFFu), sentence.width() * sentence.height());
    EXPECT_GT(countColour(compact, QRect(279, 31, 20, 20), 0x800080u), 5); // ⑤
    EXPECT_TRUE(page.dialogs.shown.empty());
}

TEST(PageWindow, PrintsThePageMessageOnTheNextRow) {
    Page page;
    page.algebra.equationCount = 2;
    page.page->setPageMessage(cp932("①"));
    page.page->appendPageMessage(cp932("＋"));
    EXPECT_EQ(page.control<QLabel>("lblMess")->text(), QStringLiteral(u"①＋"));
    EXPECT_GT(countColour(page.row(3)->picture(), QRect(0, 23, 60, 25), 0xFF00FFu), 20);
    page.page->blankRow(3);
    EXPECT_EQ(countColour(page.row(3)->picture(), QRect(0, 0, 303, 69), 0xFFFFFFu), 303 * 69);
}

TEST(PageWindow, TheOutlineFollowsTheMouse) {
    Page page;
    page.algebra.equationCount = 5;
    moveOver(page.row(3));
    EXPECT_EQ(page.state.highlightedEquation, 3);
    EXPECT_EQ(pixel(page.row(3), 1, 0), 0xFF0000u);
    moveOver(page.row(5));
    EXPECT_EQ(page.state.highlightedEquation, 5);
    EXPECT_EQ(pixel(page.row(3), 1, 0), 0xFFFFFFu);
    moveOver(page.row(6));
    EXPECT_EQ(page.state.highlightedEquation, -1);
    EXPECT_EQ(pixel(page.row(5), 1, 0), 0xFFFFFFu);

    moveOver(page.row(2));
    moveOver(page.control<RowImage>("imgKakko"));
    EXPECT_EQ(page.state.highlightedEquation, -1);
    moveOver(page.row(4));
    moveOver(page.page->sheet());
    EXPECT_EQ(page.state.highlightedEquation, -1);
    EXPECT_EQ(pixel(page.row(4), 1, 0), 0xFFFFFFu);

    page.events.blinking = true;
    moveOver(page.row(4));
    EXPECT_EQ(page.state.highlightedEquation, -1);
    moveOver(page.control<RowImage>("Image33")); // the answers have no outline
    EXPECT_EQ(page.state.highlightedEquation, -1);
}

TEST(PageWindow, ClicksOnRowsChooseAndMark) {
    Page page;
    page.algebra.equationCount = 5;
    QTest::mouseClick(page.row(3), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseClick(page.row(6), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseClick(page.row(6), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseClick(page.row(4), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseClick(page.control<RowImage>("Image33"), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(page.events.chosen, std::vector<int>{3});
    EXPECT_GT(countColour(page.row(4)->picture(), QRect(283, 15, 16, 16), 0xFF0000u), 10); // ●
    EXPECT_EQ(countColour(page.row(6)->picture(), QRect(0, 0, 303, 69), 0xFFFFFFu), 303 * 69);
}

// Scan codes are X keycodes; the signs with Shift are those of a Japanese
// keyboard, where Shift+8 gives '(' and '*' is Shift with the ':' key.
TEST(PageWindow, HandsKeysOnToTheCommandPanel) {
    struct Row {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        const char* text;
        int keyCode; // negative with Shift held
    };
    const Row rows[] = {
        {"Enter", Qt::Key_Return, Qt::NoModifier, 36, "\r", 13},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, 9, "\x1b", 27},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, 119, "", 46},
        {"a digit", Qt::Key_7, Qt::NoModifier, 16, "7", 55},
        {"a digit without a scan code", Qt::Key_7, Qt::NoModifier, 0, "7", 55},
        {"a keypad digit", Qt::Key_7, Qt::KeypadModifier, 79, "7", 103},
        {"a letter", Qt::Key_D, Qt::NoModifier, 40, "d", 68},
        {"a letter with Shift", Qt::Key_K, Qt::ShiftModifier, 45, "K", -75},
        {"Shift+2 is the 2 key", Qt::Key_QuoteDbl, Qt::ShiftModifier, 11, "\"", -50},
        {"Shift+6 is the 6 key", Qt::Key_Ampersand, Qt::ShiftModifier, 15, "&", -54},
        {"Shift+7 is the 7 key", Qt::Key_Apostrophe, Qt::ShiftModifier, 16, "'", -55},
        {"Shift+8 is the 8 key", Qt::Key_ParenLeft, Qt::ShiftModifier, 17, "(", -56},
        {"Shift+9 is the 9 key", Qt::Key_ParenRight, Qt::ShiftModifier, 18, ")", -57},
        {"Shift+0 is the 0 key", Qt::Key_AsciiTilde, Qt::ShiftModifier, 19, "~", -48},
        {"an asterisk is no digit", Qt::Key_Asterisk, Qt::ShiftModifier, 48, "*", 0},
        {"nor without a scan code", Qt::Key_Asterisk, Qt::ShiftModifier, 0, "*", 0},
        {"a sign", Qt::Key_Slash, Qt::NoModifier, 61, "/", 191},
        {"the Shift key alone", Qt::Key_Shift, Qt::ShiftModifier, 50, "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Page page;
        QKeyEvent press(QEvent::KeyPress, row.key, row.modifiers, row.scanCode, 0, 0,
                        QString::fromLatin1(row.text));
        QApplication::sendEvent(page.page, &press);
        EXPECT_EQ(page.events.keyCodes, std::vector<int>{row.keyCode});
        EXPECT_EQ(page.events.texts, row.text);
    }
}

// Wherever a problem ends, the answer box shows on the sheet, so that
// scrolling reaches all of it, until it is hidden again.
TEST(PageWindow, TheAnswerBoxCanAlwaysBeScrolledTo) {
    for (int width : {640, 800, 1024}) {
        Page page(width);
        const QGroupBox* box = page.control<QGroupBox>("grbKai");
        for (int n = 3; n <= page.state.equationLimit; ++n) {
            page.page->placeAnswerBox(n);
            QApplication::processEvents();
            const QRect sheet(QPoint(0, 0), page.page->widget()->size());
            EXPECT_TRUE(box->isVisible());
            EXPECT_TRUE(sheet.contains(box->geometry())) << width << " wide, after " << n;
        }
        page.page->hideAnswerBox();
        EXPECT_FALSE(box->isVisible());
    }
}

// The right edge of the ink that is in one picture and not in the other.
int rightmostDifference(const QImage& a, const QImage& b) {
    for (int x = a.width() - 1; x >= 0; --x)
        for (int y = 0; y < a.height(); ++y)
            if (a.pixel(x, y) != b.pixel(x, y)) return x + 1;
    return 0;
}

// A long equation ends before its row's label (an answer inside its image),
// drawn smaller where it must.
TEST(PageWindow, EquationsEndBeforeTheirLabel) {
    struct Row {
        int n;
        const char* text;
        int narrowest = 640; // the narrowest screen whose rows it fits
    };
    const Row rows[] = {
        {3, "0.12x+0.05y=0.36"},   {3, "12/35x-123/47y=1/6"},          {3, "-123/47y=1/6-12/35x"},
        {3, "0.3(x+2)=2x-4-0.5"},  {3, "x+y+2x-3y+4x=5y-6"},           {3, "12x+5y-34=100x+100y-400"},
        {3, "1|4(x+y)=2/3x-5/6y"}, {3, "2x+3y+4x+5y+6x+7y=1234", 800}, {2, "12/35x-123/47y=1/6"},
        {2, "0.12x+0.05y=0.36"},   {SolutionSlotY, "y=-123/47"},       {SolutionSlotY, "y=12345/6789"},
    };
    for (int width : {640, 800, 1024}) {
        Page page(width);
        for (const auto& [n, text, narrowest] : rows) {
            if (width < narrowest) continue;
            SCOPED_TRACE(std::to_string(width) + " row " + std::to_string(n) + ": " + text);
            // The row with its label and sentence alone, then with the equation.
            page.algebra.EquationTable[static_cast<std::size_t>(n)] = MShiki{};
            page.algebra.EquationTable[static_cast<std::size_t>(n)].stepText = cp932("①式と②式をたすと");
            page.page->showStep(n, clBlue);
            const QImage bare = page.row(n)->picture();
            page.parse(n, text, "①式と②式をたすと");
            page.page->showStep(n, clBlue);
            const int end = n == SolutionSlotY ? page.row(n)->width() : page.row(n)->width() - 24;
            EXPECT_LT(rightmostDifference(page.row(n)->picture(), bare), end);
        }
    }
}

// The page follows the steps: the row just written is wholly in view, also
// after the quarter-page scroll the practice makes before the second column
// is full; so are the answers in their box.
TEST(PageWindow, BringsEachNewRowIntoView) {
    for (const auto& [width, height] : {std::pair{640, 376}, std::pair{1024, 664}}) {
        Page page(width, height);
        QApplication::processEvents();
        const auto inView = [&page](int n) {
            const RowImage* row = page.row(n);
            return page.page->viewport()->rect().contains(
                QRect(row->mapTo(page.page->viewport(), QPoint()), row->size()));
        };
        for (int n = 3; n <= page.state.equationLimit; ++n) {
            SCOPED_TRACE(std::to_string(width) + " row " + std::to_string(n));
            if (n == 2 * page.state.rowsPerScreen) page.page->scrollQuarterPage();
            page.parse(n, "2x+3y=12", "①式と②式をたすと");
            page.algebra.equationCount = n;
            page.page->showStep(n, clBlack);
            EXPECT_TRUE(inView(n));
        }
        page.parse(SolutionSlotX, "x=3");
        page.page->placeAnswerBox(page.state.equationLimit);
        page.page->showEquation(SolutionSlotX, clBlack);
        EXPECT_TRUE(inView(SolutionSlotX)) << width;
        page.page->showEquation(1, clBlack);
        EXPECT_EQ(page.page->verticalScrollBar()->value(), 0) << width;
    }
}

TEST(PageWindow, ScrollsByItsHeightAndBack) {
    Page page;
    QScrollBar* bar = page.page->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    page.page->scrollDown();
    EXPECT_EQ(bar->value(), std::min(bar->maximum(), page.page->height()));
    page.page->scrollToTop();
    EXPECT_EQ(bar->value(), 0);
    QTest::mouseClick(page.control<QLineEdit>("edtPage2"), Qt::LeftButton);
    EXPECT_EQ(bar->value(), std::min(bar->maximum(), page.page->height()));
}

} // namespace
} // namespace tavolini
