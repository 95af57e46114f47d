// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "desktop/dialogs/unit_change_dialog.h"
#include "support/scripted_dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

constexpr QRgb MarkGreen = 0x007F00;
constexpr QRgb White = 0xFFFFFF;

// Units of 2, 5 and 3 problems.
ProblemSet threeUnits() {
    ProblemSet set;
    const int counts[] = {2, 5, 3};
    for (int u = 1; u <= 3; ++u) {
        const auto row = static_cast<std::size_t>(u);
        set.UnitNames[row] = cp932("第") + std::to_string(u) + cp932("単元");
        set.ProblemTexts[row][0] = set.UnitNames[row];
        for (int p = 1; p <= counts[u - 1]; ++p)
            set.ProblemTexts[row][static_cast<std::size_t>(p)] =
                std::to_string(p) + "x+y=" + std::to_string(u) + ";x-y=1";
        set.problemCounts[row] = counts[u - 1];
    }
    set.unitCount = 3;
    return set;
}

struct Mondai {
    Mondai() : set(threeUnits()) {
        main.setGeometry(0, 0, 800, 560);
        main.show();
        dialog = new TfrmMondai(set, algebra, layout, &main);
    }
    ~Mondai() { delete dialog; }

    template <typename T> T* control(const char* name) const {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    RowImage* image(const char* name) const { return control<RowImage>(name); }

    // The colour inside the brace's frame, where the copied picture's paper shows.
    QRgb bracePaper(int p) const {
        const RowImage* brace = image(("imgKakko" + std::to_string(p)).c_str());
        return brace->picture().pixel(4, 4) & 0xFFFFFFu;
    }

    void clickUnit(int index) const {
        auto* list = control<QListWidget>("lstTangen");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(index)).center());
    }

    // Runs choose(), doing `act` once the dialog is up.
    bool choose(std::function<void()> act) {
        QTimer::singleShot(0, dialog, act);
        return dialog->choose();
    }

    ProblemSet set;
    ScriptedDialogs dialogs;
    Algebra algebra;
    LayoutState layout;
    QWidget main;
    TfrmMondai* dialog = nullptr;
};

TEST(MondaiDialog, HasItsControlsWhereDesigned) {
    Mondai mondai;
    const struct {
        const char* name;
        QRect rect;
    } rows[] = {
        {"imgKakko1", {8, 24, 25, 100}},     {"imgKakko3", {8, 264, 25, 100}},
        {"imgKakko4", {408, 24, 25, 100}},   {"imgKakko5", {408, 144, 25, 100}},
        {"Image1", {32, 24, 305, 50}},       {"Image2", {32, 74, 305, 50}},
        {"Image5", {32, 264, 305, 50}},      {"Image8", {432, 74, 305, 50}},
        {"Image10", {432, 194, 305, 50}},    {"btnShiki1", {344, 56, 25, 25}},
        {"btnShiki3", {344, 304, 25, 25}},   {"btnShiki4", {744, 64, 25, 25}},
        {"btnShiki5", {744, 184, 25, 25}},   {"Label1", {408, 296, 177, 17}},
        {"lstTangen", {408, 320, 329, 169}}, {"btnOK", {48, 432, 81, 33}},
        {"btnCancel", {168, 432, 81, 33}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QWidget* widget = mondai.control<QWidget>(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), row.rect);
    }
    EXPECT_EQ(mondai.dialog->windowTitle(), QStringLiteral(u"単元変更"));
    EXPECT_EQ(mondai.control<QLabel>("Label1")->text(), QStringLiteral(u"問題を選んでください"));
    EXPECT_EQ(mondai.control<QPushButton>("btnOK")->text(), QStringLiteral(u"Ｏ　Ｋ"));
    EXPECT_EQ(mondai.control<QPushButton>("btnCancel")->text(), QStringLiteral(u"キャンセル"));
    EXPECT_EQ(mondai.control<QPushButton>("btnShiki2")->text(), QStringLiteral(u"②"));
    EXPECT_EQ(mondai.control<QPushButton>("btnShiki5")->text(), QStringLiteral(u"⑤"));
    EXPECT_TRUE(mondai.image("imgKakkoB")->isHidden());
    EXPECT_TRUE(mondai.image("imgKakkoW")->isHidden());
    EXPECT_EQ(mondai.control<QListWidget>("lstTangen")->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST(MondaiDialog, TheBracePicturesAreGreenWithWhiteAndWhiteWithBlack) {
    const QImage marked = TfrmMondai::markedBrace();
    const QImage unmarked = TfrmMondai::unmarkedBrace();
    ASSERT_EQ(marked.size(), QSize(25, 100));
    ASSERT_EQ(unmarked.size(), QSize(25, 100));
    EXPECT_EQ(marked.pixel(1, 1) & 0xFFFFFFu, MarkGreen);
    EXPECT_EQ(unmarked.pixel(1, 1) & 0xFFFFFFu, White);
    // The brace's point, half way down at its left.
    int whiteInk = 0, blackInk = 0;
    for (int x = 0; x < 25; ++x) {
        whiteInk += (marked.pixel(x, 50) & 0xFFFFFFu) == White;
        blackInk += qGray(unmarked.pixel(x, 50)) < 64;
    }
    EXPECT_GT(whiteInk, 0);
    EXPECT_GT(blackInk, 0);
}

TEST(MondaiDialog, ShowsTheUnitsSlotsAndMarksItsProblem) {
    Mondai mondai;
    mondai.set.problemNumbers[1] = 2;
    mondai.dialog->prepareShowing();
    auto* list = mondai.control<QListWidget>("lstTangen");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral(u"第3単元"));
    EXPECT_EQ(list->selectedItems(), QList<QListWidgetItem*>{list->item(0)});
    for (const char* name : {"btnShiki3", "imgKakko3", "Image5", "Image6", "btnShiki5", "Image10"})
        EXPECT_TRUE(mondai.control<QWidget>(name)->isHidden()) << name;
    for (const char* name : {"btnShiki2", "imgKakko2", "Image3", "Image4"})
        EXPECT_FALSE(mondai.control<QWidget>(name)->isHidden()) << name;
    EXPECT_EQ(mondai.bracePaper(2), MarkGreen);
    EXPECT_EQ(mondai.bracePaper(1), White);
    // The preview holds the equation's ink.
    const QImage preview = mondai.image("Image3")->picture();
    int ink = 0;
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x)
            ink += qGray(preview.pixel(x, y)) < 128;
    EXPECT_GT(ink, 20);
}

TEST(MondaiDialog, HiddenSlotsDoNotReactToClicks) {
    Mondai mondai;
    mondai.dialog->prepareShowing(); // unit 1 has two problems
    for (const char* name : {"btnShiki3", "imgKakko4", "Image9", "Image6"}) {
        QTest::mouseClick(mondai.control<QWidget>(name), Qt::LeftButton);
        EXPECT_EQ(mondai.dialog->selectionState().dialogPick[1], 1) << name;
    }
    EXPECT_EQ(mondai.bracePaper(1), MarkGreen);
    EXPECT_EQ(mondai.bracePaper(3), White);
}

TEST(MondaiDialog, EveryControlOfAProblemPicksIt) {
    Mondai mondai;
    mondai.set.currentUnit = 2;
    mondai.dialog->prepareShowing();
    const struct {
        const char* name;
        int problem;
    } rows[] = {{"imgKakko4", 4}, {"Image5", 3}, {"Image10", 5}, {"btnShiki1", 1}, {"Image4", 2}};
    for (const auto& row : rows) {
        QTest::mouseClick(mondai.control<QWidget>(row.name), Qt::LeftButton);
        EXPECT_EQ(mondai.dialog->selectionState().dialogPick[2], row.problem) << row.name;
        for (int p = 1; p <= 5; ++p)
            EXPECT_EQ(mondai.bracePaper(p), p == row.problem ? MarkGreen : White)
                << row.name << " brace " << p;
    }
    QTest::mouseClick(mondai.control<QWidget>("Image1"), Qt::RightButton);
    EXPECT_EQ(mondai.dialog->selectionState().dialogPick[2], 2);
}

TEST(MondaiDialog, ChooseWithAUnitABraceAndOk) {
    Mondai mondai;
    QWidget* focused = nullptr;
    const bool chosen = mondai.choose([&mondai, &focused] {
        focused = mondai.dialog->focusWidget();
        mondai.clickUnit(2);
        QTest::mouseClick(mondai.control<QWidget>("imgKakko3"), Qt::LeftButton);
        QTest::mouseClick(mondai.control<QPushButton>("btnOK"), Qt::LeftButton);
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(focused, mondai.control<QWidget>("lstTangen"));
    // Over the main window, as far as the screen lets its frame go.
    EXPECT_EQ(mondai.dialog->geometry().topLeft(), mondai.main.geometry().topLeft());
    EXPECT_EQ(mondai.dialog->height(), mondai.main.height());
    EXPECT_TRUE(mondai.dialog->screen()->availableGeometry().contains(mondai.dialog->frameGeometry()));
    EXPECT_EQ(mondai.set.currentUnit, 3);
    EXPECT_EQ(mondai.set.problemNumbers[3], 3);
    EXPECT_EQ(mondai.set.problemNumbers[1], 1);
}

// The keys move through the list as the mouse does: Down shows the next
// unit's problems, and Enter starts the unit shown, with only it selected.
TEST(MondaiDialog, ChooseAUnitWithTheKeys) {
    Mondai mondai;
    mondai.set.problemNumbers[3] = 2;
    QList<QListWidgetItem*> selected;
    bool unitThreeShown = false;
    const bool chosen = mondai.choose([&] {
        auto* list = mondai.control<QListWidget>("lstTangen");
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        unitThreeShown = !mondai.control<QWidget>("btnShiki3")->isHidden() &&
                         mondai.control<QWidget>("btnShiki4")->isHidden() &&
                         mondai.bracePaper(2) == MarkGreen;
        QTest::keyClick(list, Qt::Key_Space);
        selected = list->selectedItems();
        QTest::keyClick(list, Qt::Key_Return);
    });
    EXPECT_TRUE(chosen);
    EXPECT_TRUE(unitThreeShown);
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.front()->text(), QStringLiteral(u"第3単元"));
    EXPECT_EQ(mondai.set.currentUnit, 3);
    EXPECT_EQ(mondai.set.problemNumbers[3], 2);
}

TEST(MondaiDialog, CancelAndEscapeWriteNothing) {
    const struct {
        const char* name;
        std::function<void(Mondai&)> leave;
    } rows[] = {
        {"Cancel", [](Mondai& m) { QTest::mouseClick(m.control<QPushButton>("btnCancel"), Qt::LeftButton); }},
        {"Escape", [](Mondai& m) { QTest::keyClick(m.dialog, Qt::Key_Escape); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Mondai mondai;
        mondai.set.problemNumbers[2] = 4;
        const bool chosen = mondai.choose([&mondai, &row] {
            mondai.clickUnit(1);
            QTest::mouseClick(mondai.control<QWidget>("btnShiki5"), Qt::LeftButton);
            row.leave(mondai);
        });
        EXPECT_FALSE(chosen);
        EXPECT_EQ(mondai.set.currentUnit, 1);
        EXPECT_EQ(mondai.set.problemNumbers[2], 4);
    }
}

} // namespace
} // namespace tavolini
