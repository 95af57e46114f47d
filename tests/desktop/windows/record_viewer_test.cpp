// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/windows/record_viewer.h"
#include "support/record_fixtures.h"
#include "support/scripted_dialogs.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

struct Viewer {
    Viewer() {
        for (int i = 0; i < 3; ++i)
            recordPractice(set, records, recorded, 1, 2);
        recordPractice(set, records, recorded, 2, 1);
        main.resize(640, 480);
        viewer = new TfrmKiroku(set, records, dialogs, &main);
        viewer->prepareShowing();
    }
    static QStringList lines(QWidget& window) {
        QStringList items;
        const auto* list = window.findChild<QListWidget*>(QStringLiteral("lstTitle"));
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }
    void press(QWidget& window, const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    void select(int row) {
        viewer->deletionDialog().findChild<QListWidget*>(QStringLiteral("lstTitle"))->setCurrentRow(row);
    }

    TempFolder folder;
    ProblemSet set = setIn(folder, {{"加減法", 3}, {"代入法", 2}});
    PracticeRecords records = fixedClock();
    Messages recorded;
    ScriptedDialogs dialogs;
    QWidget main;
    TfrmKiroku* viewer = nullptr;
};

TEST(KirokuDialog, ShowsTheCompletionsOverTheMainWindow) {
    Viewer v;
    EXPECT_EQ(v.viewer->windowTitle(), QStringLiteral(u"練習の記録"));
    EXPECT_EQ(v.viewer->size(), v.main.size());
    EXPECT_EQ(Viewer::lines(*v.viewer),
              (QStringList{QStringLiteral(u"加減法"), QStringLiteral(u"2026年03月05日09:09"),
                           QStringLiteral(u"  1"), QStringLiteral(u"  2★★★"), QStringLiteral(u"  3"),
                           QStringLiteral(u"代入法"), QStringLiteral(u"2026年03月05日09:10"),
                           QStringLiteral(u"  1★"), QStringLiteral(u"  2")}));
}

// 消去 with nothing chosen asks for a unit; erasing one rebuilds the viewer
// without its date and stars; closing without erasing changes nothing.
TEST(KirokuDialog, ErasesAUnitsRecordAndShowsTheListAgain) {
    for (const bool erase : {true, false}) {
        SCOPED_TRACE(erase ? "erase" : "close at once");
        Viewer v;
        const std::string before = readBytes(v.folder / "ZUdir.rec");
        TfrmDelete& dialog = v.viewer->deletionDialog();
        dialog.prepareShowing();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("frmDelete"));
        EXPECT_EQ(Viewer::lines(dialog), (QStringList{QStringLiteral(u"加減法"), QStringLiteral(u"代入法")}));
        if (erase) {
            v.press(dialog, "btnDeleteOne");
            EXPECT_EQ(v.dialogs.shown, std::vector<std::string>{"message: 消去する単元を選んでください"});
            v.select(0);
            v.press(dialog, "btnDeleteOne");
            EXPECT_EQ(Viewer::lines(dialog), QStringList{QStringLiteral(u"代入法")});
        }
        v.press(dialog, "btnClose");
        EXPECT_EQ(dialog.result(), erase ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(readBytes(v.folder / "ZUdir.rec") == before, !erase);
        v.viewer->fillRecordList();
        EXPECT_EQ(
            Viewer::lines(*v.viewer).mid(0, 5),
            erase ? (QStringList{QStringLiteral(u"加減法"), QStringLiteral(u"  1"), QStringLiteral(u"  2"),
                                 QStringLiteral(u"  3"), QStringLiteral(u"代入法")})
                  : (QStringList{QStringLiteral(u"加減法"), QStringLiteral(u"2026年03月05日09:09"),
                                 QStringLiteral(u"  1"), QStringLiteral(u"  2★★★"), QStringLiteral(u"  3")}));
    }
}

// A record file the viewer cannot read is named, not shown as no records.
TEST(KirokuDialog, NamesARecordFileItCannotRead) {
    Viewer v;
    writeBytes(v.folder / "ZUdir.rec", "<<a\r\nx+y=3;x-y=1\r\n>>\r\n");
    v.viewer->prepareShowing();
    EXPECT_EQ(v.dialogs.shown, std::vector<std::string>{"message: " + v.folder / "ZUdir.rec" +
                                                        ":記録ファイルを読み込めません。記録を止めます"
                                                        "（このファイルを移すと新しい記録を始めます）"});
    EXPECT_EQ(Viewer::lines(*v.viewer).mid(0, 2),
              (QStringList{QStringLiteral(u"加減法"), QStringLiteral(u"  1")}));
}

} // namespace
} // namespace tavolini
