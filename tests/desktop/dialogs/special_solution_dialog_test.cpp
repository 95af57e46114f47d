// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/dialogs/special_solution_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

// Runs choose(), doing `act` once the dialog is up.
SpecialAnswer choose(TfrmSentaku& dialog, std::function<void()> act) {
    QTimer::singleShot(0, &dialog, act);
    return dialog.choose();
}

QPushButton* button(const TfrmSentaku& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

TEST(SentakuDialog, AnswersWhatThePupilChose) {
    const struct {
        const char* name;
        std::function<void(TfrmSentaku&)> act;
        SpecialAnswer result;
    } rows[] = {
        {"解は無数にある", [](TfrmSentaku& d) { QTest::mouseClick(button(d, "btnMusu"), Qt::LeftButton); },
         SpecialAnswer::InfinitelyMany},
        {"解なし", [](TfrmSentaku& d) { QTest::mouseClick(button(d, "btnKainashi"), Qt::LeftButton); },
         SpecialAnswer::NoSolution},
        {"Escape", [](TfrmSentaku& d) { QTest::keyClick(&d, Qt::Key_Escape); }, SpecialAnswer::None},
        {"closed by the system", [](TfrmSentaku& d) { d.close(); }, SpecialAnswer::None},
    };
    TfrmSentaku dialog; // reused, as the main window reuses it
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(choose(dialog, [&dialog, &row] { row.act(dialog); }), row.result);
    }
}

TEST(SentakuDialog, EnterChoosesNothing) {
    TfrmSentaku dialog;
    bool stillOpen = false;
    const SpecialAnswer result = choose(dialog, [&dialog, &stillOpen] {
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTest::keyClick(&dialog, Qt::Key_Enter);
        stillOpen = dialog.isVisible();
        QTest::mouseClick(button(dialog, "btnKainashi"), Qt::LeftButton);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, SpecialAnswer::NoSolution);
}

TEST(SentakuDialog, LooksAsDesigned) {
    TfrmSentaku dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(u"特殊な解"));
    EXPECT_EQ(dialog.minimumSize(), QSize(140, 222));
    EXPECT_EQ(dialog.maximumSize(), QSize(140, 222));
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    for (const Qt::WindowType hint :
         {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
          Qt::WindowMaximizeButtonHint, Qt::WindowContextHelpButtonHint})
        EXPECT_FALSE(flags.testFlag(hint)) << hint;

    const auto* title = dialog.findChild<QLineEdit*>();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral(u"解の種類選択"));
    EXPECT_TRUE(title->isReadOnly());
    EXPECT_EQ(title->font().pixelSize(), 16);
    EXPECT_EQ(title->palette().color(QPalette::Base), QColor(0, 255, 255));

    const struct {
        const char* name;
        const char16_t* caption;
    } buttons[] = {{"btnMusu", u"解は無数にある"}, {"btnKainashi", u"解なし"}};
    for (const auto& row : buttons) {
        SCOPED_TRACE(row.name);
        const QPushButton* choice = button(dialog, row.name);
        ASSERT_NE(choice, nullptr);
        EXPECT_EQ(choice->text(), QString::fromUtf16(row.caption));
        EXPECT_EQ(choice->size(), QSize(113, 33));
        EXPECT_FALSE(choice->focusPolicy() & Qt::TabFocus);
        EXPECT_TRUE(dialog.rect().contains(choice->geometry()));
    }
}

TEST(SentakuDialog, StaysWhereItWasPlaced) {
    TfrmSentaku dialog;
    dialog.placeAt(QPoint(300, 170));
    QPoint shownAt;
    choose(dialog, [&dialog, &shownAt] {
        shownAt = dialog.pos();
        dialog.close();
    });
    EXPECT_EQ(shownAt, QPoint(300, 170));
}

} // namespace
} // namespace tavolini
