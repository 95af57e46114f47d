// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/windows/help_window.h"

#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

TEST(HelpWindow, ShowsItsTwoPagesFromTheProgram) {
    const struct {
        const char* name;
        void (HelpWindow::*show)();
        const char16_t* title;
        std::vector<const char16_t*> mentions;
    } rows[] = {
        {"contents",
         &HelpWindow::showContents,
         u"使い方",
         {u"①＋②", u"③÷3", u"④代入①", u"移項", u"整理", u"かっこ", u"分の", u"実行", u"訂正", u"次の問題",
          u"単元変更", u"Ｏ　Ｋ"}},
        {"one point", &HelpWindow::showOnePoint, u"ワンポイント", {u"代入法", u"加減法", u"分数", u"かっこ"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        HelpWindow help;
        (help.*row.show)();
        EXPECT_TRUE(help.isVisible());
        EXPECT_EQ(help.browser()->documentTitle(), QString::fromUtf16(row.title));
        EXPECT_TRUE(help.windowTitle().endsWith(QString::fromUtf16(row.title)));
        const QString text = help.browser()->toPlainText();
        for (const char16_t* mention : row.mentions)
            EXPECT_TRUE(text.contains(QString::fromUtf16(mention)))
                << QString::fromUtf16(mention).toStdString();
    }
}

// Each key of the main window beside what it does, cell after cell.
TEST(HelpWindow, TheKeyboardTableNamesEveryKey) {
    HelpWindow help;
    help.showContents();
    const QString text = help.browser()->toPlainText();
    const char16_t* rows[] = {
        u"*\n×",      u"/\n÷",        u"+\n＋",     u"-\n－",      u"D\n代入",
        u"S\n整理",   u"I\n移項",     u"K\nかっこ", u"0〜9\n数字", u".\n小数点",
        u"B\n分の",   u"Enter\n実行", u"Esc\n訂正", u"Delete\nCL", u"F1\n使い方（このページ）",
        u"F2\nヒント"};
    for (const char16_t* row : rows)
        EXPECT_TRUE(text.contains(QString::fromUtf16(row))) << QString::fromUtf16(row).toStdString();
}

TEST(HelpWindow, ThePagesLinkToEachOtherAndBack) {
    HelpWindow help;
    help.showContents();
    QTextBrowser* browser = help.browser();
    browser->setSource(browser->source().resolved(QUrl(QStringLiteral("onepoint.html"))));
    EXPECT_EQ(browser->source(), HelpWindow::onePointPage());
    EXPECT_EQ(browser->documentTitle(), QStringLiteral(u"ワンポイント"));
    auto* back = help.findChild<QPushButton*>(QStringLiteral("btnBack"));
    ASSERT_TRUE(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(browser->source(), HelpWindow::contentsPage());
    help.findChild<QPushButton*>(QStringLiteral("btnOnePoint"))->click();
    EXPECT_EQ(browser->source(), HelpWindow::onePointPage());
}

} // namespace
} // namespace tavolini
