// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "desktop/dialogs/edit_ques_dialog.h"
#include "files/problem_set.h"
#include "support/scripted_dialogs.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

std::vector<std::string> twoUnits() {
    std::vector<std::string> lines;
    for (const char* line : {"<<第1単元", "x+y=3;x-y=1", ">>", "<<第2単元", "2x=4;y=1", "x-y=2;x+y=4", ">>"})
        lines.push_back(cp932(line));
    return lines;
}

struct Editor {
    explicit Editor(std::vector<std::string> lines = twoUnits()) {
        set.lines = std::move(lines);
        set.problemSetPath = "/home/t/ZUdir.sim";
        main.resize(700, 500);
        dialog = new TfrmEditQues(set, dialogs, &main);
        dialog->prepareShowing();
        dialog->show();
    }
    template <typename T> T* control(const char* name) {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    QPlainTextEdit* memo() { return control<QPlainTextEdit>("memQues"); }
    QString field(const char* name) { return control<QLineEdit>(name)->text(); }
    QStringList list() {
        QStringList items;
        for (int i = 0; i < control<QListWidget>("lstErQues")->count(); ++i)
            items << control<QListWidget>("lstErQues")->item(i)->text();
        return items;
    }
    void replaceLine(int block, const QString& text) {
        QTextCursor cursor(memo()->document()->findBlockByNumber(block));
        cursor.select(QTextCursor::LineUnderCursor);
        cursor.insertText(text);
    }

    ProblemSet set;
    ScriptedDialogs dialogs;
    QWidget main;
    TfrmEditQues* dialog = nullptr;
};

TEST(EditQuesDialog, ShowsTheSetAsTextUnderItsCaption) {
    Editor e;
    EXPECT_EQ(e.dialog->windowTitle(), QStringLiteral(u"問題の編集：/home/t/ZUdir.sim"));
    EXPECT_EQ(e.memo()->toPlainText(),
              QStringLiteral(u"<<第1単元\nx+y=3;x-y=1\n>>\n<<第2単元\n2x=4;y=1\nx-y=2;x+y=4\n>>"));
    EXPECT_EQ(e.dialog->size(), e.main.size());
    EXPECT_FALSE(e.memo()->document()->isUndoAvailable());
}

// Two failing problems in unit 2 are listed as written, one the code page
// cannot hold among them; mended, the check passes and OK hands the text on.
TEST(EditQuesDialog, ChecksListsMendsAndAccepts) {
    Editor e;
    e.replaceLine(4, QStringLiteral(u"2x=4;y=🙂"));
    e.replaceLine(5, QStringLiteral(u"x-y=2;x+y"));
    QTest::mouseClick(e.control<QPushButton>("btnOk"), Qt::LeftButton);
    EXPECT_EQ(e.dialogs.shown, std::vector<std::string>{"message: エラーチェックしてください"});
    EXPECT_TRUE(e.dialog->isVisible());

    QTest::mouseClick(e.control<QPushButton>("btnCompile"), Qt::LeftButton);
    EXPECT_EQ(e.field("edtResult"), QStringLiteral(u"??? 誤りがあります ???"));
    EXPECT_EQ(e.field("edtErTangen"), QStringLiteral(u"第2単元"));
    EXPECT_EQ(e.field("edtTangen"), QString());
    EXPECT_EQ(e.list(), (QStringList{QStringLiteral(u"2x=4;y=🙂"), QStringLiteral(u"x-y=2;x+y")}));

    e.memo()->undo();
    e.memo()->undo();
    EXPECT_TRUE(e.list().isEmpty()); // a change empties the results
    e.replaceLine(5, QStringLiteral(u"x-y=2;x+y=4"));
    QTest::mouseClick(e.control<QPushButton>("btnCompile"), Qt::LeftButton);
    EXPECT_EQ(e.field("edtResult"), QStringLiteral(u"☆☆☆　構文チェック成功　☆☆☆"));
    EXPECT_EQ(e.field("edtTangen"), QStringLiteral("2"));
    EXPECT_EQ(e.field("edtErTangen"), QStringLiteral(u"なし"));
    EXPECT_EQ(e.list(), QStringList{QStringLiteral(u"なし")});
    QTest::mouseClick(e.control<QPushButton>("btnOk"), Qt::LeftButton);
    EXPECT_FALSE(e.dialog->isVisible());
    EXPECT_EQ(e.dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(e.set.problemSetSaved);
    EXPECT_EQ(e.set.lines.size(), 7u);
}

TEST(EditQuesDialog, AStructureErrorAndCancel) {
    Editor e;
    e.replaceLine(6, QStringLiteral("x=1;y=1"));
    QTest::mouseClick(e.control<QPushButton>("btnCompile"), Qt::LeftButton);
    EXPECT_EQ(e.field("edtResult"), QStringLiteral(u"??? 問題に誤りがあります"));
    EXPECT_EQ(e.field("edtErTangen"), QStringLiteral(u"問題に誤りです"));
    EXPECT_EQ(e.field("edtTangen"), QString());
    EXPECT_EQ(e.dialogs.shown, std::vector<std::string>{"message: 7行目：単元が「>>」で閉じていません"});
    QTest::mouseClick(e.control<QPushButton>("btnCancel"), Qt::LeftButton);
    EXPECT_EQ(e.dialog->result(), QDialog::Rejected);
    EXPECT_EQ(e.set.lines.back(), ">>");
    EXPECT_TRUE(e.set.problemSetSaved);
}

// ｷｬﾝｾﾙ, Escape and the close box ask before a typed text is thrown away;
// No keeps the editor open with the text, Yes leaves the set as it was.
TEST(EditQuesDialog, AsksBeforeThrowingTypedTextAway) {
    const struct {
        const char* name;
        void (*end)(Editor&);
    } rows[] = {
        {"ｷｬﾝｾﾙ", [](Editor& e) { QTest::mouseClick(e.control<QPushButton>("btnCancel"), Qt::LeftButton); }},
        {"Escape", [](Editor& e) { QTest::keyClick(e.memo(), Qt::Key_Escape); }},
        {"the close box", [](Editor& e) { e.dialog->close(); }},
    };
    const std::string question = "question: 確認: 編集した内容を破棄しますか -> ";
    for (const auto& [name, end] : rows) {
        SCOPED_TRACE(name);
        Editor e;
        end(e);
        EXPECT_FALSE(e.dialog->isVisible()); // an unchanged text goes without a question
        EXPECT_TRUE(e.dialogs.shown.empty());

        e.dialog->prepareShowing();
        e.dialog->show();
        QTest::keyClicks(e.memo(), QStringLiteral("x"));
        e.dialogs.replies = {Reply::No, Reply::Yes};
        end(e);
        EXPECT_TRUE(e.dialog->isVisible());
        EXPECT_TRUE(e.memo()->toPlainText().startsWith(u'x'));
        end(e);
        EXPECT_FALSE(e.dialog->isVisible());
        EXPECT_EQ(e.dialog->result(), QDialog::Rejected);
        EXPECT_EQ(e.dialogs.shown, (std::vector<std::string>{question + "No", question + "Yes"}));
        EXPECT_EQ(e.set.lines, twoUnits());
    }
    // A set ending in an empty line, which the text cannot show, is not changed by opening it.
    Editor e;
    e.set.lines.push_back("");
    e.dialog->prepareShowing();
    e.dialog->show();
    QTest::keyClick(e.memo(), Qt::Key_Escape);
    EXPECT_FALSE(e.dialog->isVisible());
    EXPECT_TRUE(e.dialogs.shown.empty());
}

// ⅰ at 0xEEEF would be written anew as 0xFA40.
TEST(EditQuesDialog, WritesBackTheLinesNotTouchedByteForByte) {
    std::vector<std::string> lines = twoUnits();
    lines[0] = "<<\xED\x40\x87\x90";
    lines[3] = "<<\xFA\x5C\xEE\xEF";
    Editor e(lines);
    e.replaceLine(4, QStringLiteral("3x=6;y=1"));
    QTest::mouseClick(e.control<QPushButton>("btnCompile"), Qt::LeftButton);
    EXPECT_EQ(e.field("edtTangen"), QStringLiteral("2"));
    QTest::mouseClick(e.control<QPushButton>("btnOk"), Qt::LeftButton);
    ASSERT_EQ(e.dialog->result(), QDialog::Accepted);
    lines[4] = "3x=6;y=1";
    EXPECT_EQ(e.set.lines, lines);
}

} // namespace
} // namespace tavolini
