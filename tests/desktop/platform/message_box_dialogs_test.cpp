// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "desktop/platform/message_box_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

struct SeenBox {
    QString title, text;
    QStringList buttons;
    int width = 0;
};

// Waits for the next modal message box, notes what it shows and presses
// the button with the given text.
void answerNextBox(SeenBox& seen, QString press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return answerNextBox(seen, press);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.width = box->width();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text().remove(u'&');
            if (button->text().remove(u'&') == press) button->click();
        }
    });
}

TEST(MessageBoxDialogs, ShowsMessagesUnderTheApplicationTitle) {
    MessageBoxDialogs dialogs(QStringLiteral("Orbiset Tavolini"));
    SeenBox seen;
    answerNextBox(seen, QStringLiteral("OK"));
    dialogs.showMessage(cp932("分母が０です"));
    EXPECT_EQ(seen.title, QStringLiteral("Orbiset Tavolini"));
    EXPECT_EQ(seen.text, QStringLiteral(u"分母が０です"));
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
}

TEST(MessageBoxDialogs, AsksWithItsCaptionAndReportsTheButton) {
    MessageBoxDialogs dialogs(QStringLiteral("Orbiset Tavolini"));
    SeenBox seen;
    answerNextBox(seen, QStringLiteral("Retry"));
    EXPECT_EQ(dialogs.ask(cp932("確認"), cp932("0 で割ることはできません"), Buttons::AbortRetryIgnore),
              Reply::Retry);
    EXPECT_EQ(seen.title, QStringLiteral(u"確認"));
    EXPECT_EQ(seen.buttons.size(), 3);

    answerNextBox(seen, QStringLiteral("Cancel"));
    EXPECT_EQ(dialogs.ask(cp932("確認"), cp932("ファイルを保存しますか？"), Buttons::YesNoCancel),
              Reply::Cancel);
    answerNextBox(seen, QStringLiteral("No"));
    EXPECT_EQ(dialogs.ask(cp932("確認"), cp932("ファイルを保存しますか"), Buttons::YesNo), Reply::No);
}

// A window manager's title bar needs room for the caption and for its icon and
// buttons; a box narrower than that shows its caption cut ("Or…ni").
TEST(MessageBoxDialogs, BoxesAreWideEnoughForTheirCaption) {
    const struct {
        const char* caption;
        bool asked;
    } rows[] = {
        {"Orbiset Tavolini", false},
        {"Orbiset Tavolini - a caption much longer than its message", false},
        {"確認", true},
        {"特殊解の確認とその後の問題の進め方", true},
    };
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    for (const auto& row : rows) {
        const QString caption = QString::fromUtf8(row.caption);
        MessageBoxDialogs dialogs(caption);
        SeenBox seen;
        if (row.asked) {
            answerNextBox(seen, QStringLiteral("Yes"));
            dialogs.ask(cp932(row.caption), cp932("はい"), Buttons::YesNo);
        } else {
            answerNextBox(seen, QStringLiteral("OK"));
            dialogs.showMessage(cp932("０"));
        }
        EXPECT_EQ(seen.title, caption);
        EXPECT_GE(seen.width, QFontMetrics(titleFont).horizontalAdvance(caption) + 120) << row.caption;
    }
}

TEST(MessageBoxDialogs, WritesFileFiltersTheQtWay) {
    EXPECT_EQ(qtFileFilter(cp932("SIMﾌｧｲﾙ|*.SIM")), QStringLiteral(u"SIMﾌｧｲﾙ (*.SIM *.sim)"));
    EXPECT_EQ(qtFileFilter("*.txt"), QStringLiteral("*.txt"));
}

} // namespace
} // namespace tavolini
