// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "editing/edit_session.h"
#include "practice/problem_set_menu.h"
#include "practice/start_up_set.h"
#include "support/practice_harness.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

using Shown = std::vector<std::string>;

const std::vector<std::string> InUse = PracticeHarness::oneUnit({"2x+y=7;x-y=2", "x+y=3;x-y=1"});
const std::string OtherSet = "<<別の単元\r\nx+y=5;x-y=1\r\n>>\r\n";

// An editor that ends as told. Like the real one, OK with a new text hands it
// to the set, unsaved; any other ending leaves the set's lines scrambled, so
// that only the flow's restore can mend them.
struct FakeEditor final : ProblemEditor {
    explicit FakeEditor(ProblemSet& problems) : set(problems) {}
    EditEnd editProblems() override {
        if (end == EditEnd::Ok && !newLines.empty()) {
            set.lines.clear();
            for (const std::string& line : newLines)
                set.lines.push_back(cp932(line));
            set.problemSetSaved = false;
        }
        if (end == EditEnd::Cancel) set.lines = {"scrambled"};
        return end;
    }
    void setEditorCaption(std::string_view path) override { caption = utf8FromCp932(editorCaption(path)); }

    ProblemSet& set;
    EditEnd end = EditEnd::Cancel;
    std::vector<std::string> newLines; // UTF-8
    std::string caption;
};

struct Menu : PracticeHarness {
    Menu() : PracticeHarness(InUse) {
        start();
        menu.setEditor(&editor);
        writeBytes(folder / "other.sim", cp932(OtherSet));
        writeBytes(folder / "broken.sim", "<<a\r\nx=1;y=2\r\n");
    }
    FakeEditor editor{problems};
    ProblemSetMenu menu{problems, dialogs, flow};
};

TEST(ProblemSetMenu, OpenReadsAnotherSetAndStartsIt) {
    Menu m;
    m.problems.problemSetSaved = false;
    m.problems.problemNumbers[1] = 2;
    m.dialogs.replies = {Reply::No};
    m.dialogs.files = {m.folder / "other.sim"};
    m.drillDialogs.selections = {std::nullopt};
    m.menu.open();
    EXPECT_EQ(m.dialogs.shown,
              (Shown{"question: 確認: ファイルを保存しますか -> No", "open: SIMファイル|*.SIM"}));
    EXPECT_EQ(m.problems.problemSetPath, m.folder / "other.sim");
    EXPECT_EQ(utf8FromCp932(m.problems.UnitNames[1]), "別の単元");
    EXPECT_EQ(m.problems.problemNumbers[1], 1);
    EXPECT_EQ(m.equation(1), "1x 1y = 5");
    EXPECT_EQ(m.drillDialogs.selectionShown, 1);
    EXPECT_TRUE(m.problems.problemSetSaved);
}

// A file that cannot be practised changes nothing of the set in use: lines,
// path, tables and the problem being worked; the message says why.
TEST(ProblemSetMenu, AFailedOpenSaysWhyAndPutsTheSetBack) {
    const std::pair<const char*, const char*> rows[] = {
        {"broken.sim", ":2行目：単元が「>>」で閉じていません"},
        {"blank.sim", ":3行目：「>>」の後ろに空白があります"},
        {"nul.sim", ":2行目：制御文字（0x00）があります"},
        {"bom.sim", ":Shift-JISの問題ファイルではありません"},
        {"missing.sim", ":ファイルがありません"},
        {"", ":フォルダです。問題ファイルを選んでください"},
        {"utf8.sim", ":Shift-JISの問題ファイルではありません"},
        {"nothing.sim", ":練習できる問題が1つもありません"},
        {"sets.rec", ":この名前では記録ファイルと同じになります（別の名前にしてください）"},
    };
    for (const auto& [name, message] : rows) {
        SCOPED_TRACE(name);
        Menu m;
        writeBytes(m.folder / "utf8.sim", "<<\xe5\x8a\xa0\xe6\xb8\x9b\r\nx=1;y=1\r\n>>\r\n");
        writeBytes(m.folder / "nothing.sim", "<<a\r\nx+y=;x-y=2\r\n>>\r\n");
        writeBytes(m.folder / "blank.sim", "<<a\r\nx=1;y=2\r\n>> \r\n<<b\r\nx=1;y=2\r\n>>\r\n");
        writeBytes(m.folder / "nul.sim", std::string("<<a\r\nx=1;y=2\0\r\n>>\r\n", 19));
        writeBytes(m.folder / "bom.sim", "\xef\xbb\xbf<<a\r\nx=1;y=2\r\n>>\r\n");
        writeBytes(m.folder / "sets.rec", cp932(OtherSet));
        m.run("①＋②");
        const std::vector<std::string> lines = m.problems.lines;
        const std::string path = m.problems.problemSetPath;
        m.dialogs.files = {m.folder / name};
        m.menu.open();
        EXPECT_EQ(m.dialogs.shown.back(), "message: " + m.folder / name + message);
        EXPECT_EQ(m.problems.lines, lines);
        EXPECT_EQ(m.problems.problemSetPath, path);
        EXPECT_EQ(utf8FromCp932(m.problems.UnitNames[1]), "単元1");
        EXPECT_EQ(m.problems.unitCount, 1);
        EXPECT_EQ(m.algebra.equationCount, 3);
        EXPECT_EQ(m.drillDialogs.selectionShown, 0);
    }
}

// A set where some problems do not load is practised; start-up and Open say
// once which, before the first problem tells what is wrong with it.
TEST(ProblemSetMenu, SaysOnceWhichProblemsCannotBePractised) {
    struct : ProgramEnd {
        void endProgram() override { ADD_FAILURE(); }
    } programEnd;
    for (const bool atStartUp : {true, false}) {
        Menu m;
        const std::string path = m.folder / "set.sim";
        writeBytes(path, "<<a\r\nx=1;x=2\r\nx+y=3;x-y=1\r\n\r\n>>\r\n");
        m.takeShown();
        EXPECT_TRUE(atStartUp ? startPractice(m.problems, m.records, m.algebra, m.dialogs, programEnd, m.flow,
                                              path) == StartUp::Practising
                              : m.menu.openChosen(path));
        const Shown shown = m.takeShown();
        ASSERT_EQ(shown.size(), 2u) << atStartUp;
        EXPECT_EQ(shown.front(), "message: 2問は使えません：2行目、4行目");
    }
}

// Yes to the question and then no save (the dialog cancelled, the write
// refused): the open stops and the edits stay.
TEST(ProblemSetMenu, OpenStopsWhenTheSaveAskedForDidNotHappen) {
    for (const char* file : {"", "sets.rec"}) {
        SCOPED_TRACE(file);
        Menu m;
        m.problems.problemSetSaved = false;
        m.problems.lines.back() = "edited";
        const std::vector<std::string> lines = m.problems.lines;
        m.dialogs.replies = {Reply::Yes};
        m.dialogs.files = {*file ? std::optional(m.folder / file) : std::nullopt, m.folder / "other.sim"};
        m.menu.open();
        EXPECT_EQ(m.dialogs.files.size(), 1u) << "no open dialog";
        EXPECT_EQ(m.problems.lines, lines);
        EXPECT_FALSE(m.problems.problemSetSaved);
        EXPECT_FALSE(std::filesystem::exists(m.folder / "sets.rec"));
    }
}

TEST(ProblemSetMenu, NeverSavesOverItsOwnRecordFileOrWithoutLines) {
    Menu m;
    m.problems.problemSetSaved = false;
    m.dialogs.files = {m.folder / "sets.rec"};
    EXPECT_FALSE(m.menu.saveProblemSet());
    EXPECT_EQ(m.dialogs.shown.back(),
              "message: " + m.folder / "sets.rec" +
                  ":この名前では記録ファイルと同じになります（別の名前にしてください）");
    m.problems.lines.clear();
    m.dialogs.files = {m.folder / "other.sim"};
    EXPECT_FALSE(m.menu.saveProblemSet());
    EXPECT_EQ(m.dialogs.shown.back(), "message: 保存する問題がありません");
    EXPECT_EQ(readBytes(m.folder / "other.sim"), cp932(OtherSet));
    EXPECT_FALSE(std::filesystem::exists(m.folder / "sets.rec"));
    EXPECT_FALSE(m.problems.problemSetSaved);
}

TEST(ProblemSetMenu, AFailedOpenAfterSavingKeepsTheFileJustSaved) {
    Menu m;
    m.problems.problemSetSaved = false;
    m.dialogs.replies = {Reply::Yes};
    m.dialogs.files = {m.folder / "saved", m.folder / "broken.sim"};
    m.menu.open();
    EXPECT_EQ(m.problems.problemSetPath, m.folder / "saved");
    EXPECT_TRUE(m.problems.problemSetSaved);
    EXPECT_EQ(readBytes(m.folder / "saved"), cp932("<<単元1\r\n2x+y=7;x-y=2\r\nx+y=3;x-y=1\r\n>>\r\n"));
}

// The file is written, then handed on to the user's own file; a hand-over
// that failed says why and leaves the set unsaved under its old name.
TEST(ProblemSetMenu, SavesUnderTheNameAsChosenOnceTheFileIsHandedOn) {
    struct Row {
        std::optional<std::string> chosen;
        WriteFault delivery;
        bool saved;
        std::string lastShown;
    };
    Menu m;
    const std::string inUse = m.problems.problemSetPath;
    const std::string path = m.folder / "noextension";
    const std::string dialog = "save: SIMﾌｧｲﾙ|*.SIM";
    const Row rows[] = {
        {std::nullopt, WriteFault::None, false, dialog},
        {"", WriteFault::None, false, dialog},
        {path, WriteFault::Failed, false, "message: " + path + ":ファイルに書き込めません"},
        {path, WriteFault::DiskFull, false, "message: " + path + ":ディスクがいっぱいです"},
        {path, WriteFault::None, true, dialog},
    };
    for (const Row& row : rows) {
        m.problems.problemSetSaved = false;
        m.dialogs.files = {row.chosen};
        m.dialogs.deliveryFault = row.delivery;
        EXPECT_EQ(m.menu.saveProblemSet(), row.saved);
        EXPECT_EQ(m.problems.problemSetSaved, row.saved);
        EXPECT_EQ(m.problems.problemSetPath, row.saved ? path : inUse);
        EXPECT_EQ(m.dialogs.shown.back(), row.lastShown);
    }
    EXPECT_EQ(m.dialogs.delivered, std::vector<std::string>(3, joinLines(m.problems.lines)));
    EXPECT_EQ(m.editor.caption, "問題の編集：" + m.folder / "noextension");
    EXPECT_EQ(readBytes(m.folder / "noextension"), joinLines(m.problems.lines));
}

TEST(ProblemSetMenu, AnAcceptedEditStartsTheNewSetUnsaved) {
    Menu m;
    m.problems.problemNumbers[1] = 2;
    m.editor.end = EditEnd::Ok;
    m.editor.newLines = {"<<新しい単元", "3x=6;y=1", ">>"};
    m.drillDialogs.selections = {std::nullopt};
    m.menu.edit();
    EXPECT_EQ(utf8FromCp932(m.problems.UnitNames[1]), "新しい単元");
    EXPECT_EQ(m.problems.problemNumbers[1], 1);
    EXPECT_EQ(m.equation(1), "3x = 6");
    EXPECT_EQ(m.drillDialogs.selectionShown, 1);
    EXPECT_FALSE(m.problems.problemSetSaved);
}

TEST(ProblemSetMenu, AnEditThatDoesNotStartOrIsCancelledPutsTheSetBack) {
    for (const EditEnd end : {EditEnd::Ok, EditEnd::Cancel}) {
        Menu m;
        const ProblemSet before = m.problems;
        m.editor.end = end;
        m.editor.newLines = {"<<a", "x=;y=1", ">>"}; // the first problem does not load
        m.menu.edit();
        EXPECT_EQ(m.problems.lines, before.lines);
        EXPECT_EQ(m.problems.UnitNames, before.UnitNames);
        EXPECT_EQ(m.problems.ProblemTexts, before.ProblemTexts);
        if (end == EditEnd::Ok)
            EXPECT_EQ(m.dialogs.shown.back(), "message: " + m.folder / "ZUdir.sim" + ":問題が不正です");
        else
            EXPECT_TRUE(m.dialogs.shown.empty());
        EXPECT_EQ(m.drillDialogs.selectionShown, 0);
    }
}

TEST(ProblemSetMenu, AsksAboutUnsavedEditsBeforeClosing) {
    struct Row {
        const char* name;
        bool saved;
        std::optional<Reply> reply;
        std::optional<std::string> file;
        bool mayClose;
    };
    const Row rows[] = {
        {"saved", true, std::nullopt, std::nullopt, true},
        {"No", false, Reply::No, std::nullopt, true},
        {"Cancel", false, Reply::Cancel, std::nullopt, false},
        {"Yes, save cancelled", false, Reply::Yes, std::nullopt, false},
        {"Yes, saved", false, Reply::Yes, "closing.sim", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Menu m;
        m.problems.problemSetSaved = row.saved;
        if (row.reply) m.dialogs.replies = {*row.reply};
        m.dialogs.files = {row.file ? std::optional(m.folder / *row.file) : std::nullopt};
        EXPECT_EQ(m.menu.mayClose(), row.mayClose);
        EXPECT_EQ(m.dialogs.shown.empty(), row.saved);
        if (!row.saved) {
            EXPECT_TRUE(m.dialogs.shown.front().starts_with("question: 確認: ファイルを保存しますか？ -> "));
        }
    }
}

} // namespace
} // namespace tavolini
