// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "editing/edit_session.h"
#include "files/problem_set.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

// UTF-8 lines; a line starting with "!" stands for one the code page cannot hold.
std::vector<EditorLine> textOf(std::initializer_list<const char*> lines) {
    std::vector<EditorLine> text;
    for (std::string_view line : lines) {
        const bool unencodable = line.starts_with("!");
        text.push_back({cp932(line.substr(unencodable ? 1 : 0)), unencodable ? U'\U0001F600' : U'\0'});
    }
    return text;
}

TEST(ProblemCheck, FindsTheFirstUnitWithFailingProblems) {
    struct Row {
        const char* name;
        std::vector<EditorLine> text;
        CheckVerdict verdict;
        int unitCount;
        std::size_t failingUnitLine;
        std::vector<std::size_t> failingLines;
        std::size_t messages;
    };
    const Row rows[] = {
        {"all valid",
         textOf({"<<a", "x+y=3;x-y=1", ">>", "<<b", "2x=4;y=1", ">>"}),
         CheckVerdict::Passed,
         2,
         0,
         {},
         0},
        {"two failures in unit 2, one in unit 3",
         textOf({"<<a", "x=1;y=2", ">>", "<<b", "x+y;y=2", "x=1;y=2", "x=1", ">>", "<<c", "x=;y=1", ">>"}),
         CheckVerdict::FailingUnit,
         0,
         3,
         {4, 6},
         3},
        {"a corner bracket with a factor",
         textOf({"<<a", "2｢x+1｣=3;y=1", ">>"}),
         CheckVerdict::FailingUnit,
         0,
         0,
         {1},
         2},
        {"a problem the code page cannot hold",
         textOf({"<<a", "!x=1;y=2", "x=1;y=2", ">>"}),
         CheckVerdict::FailingUnit,
         0,
         0,
         {1},
         1},
        {"a title the code page cannot hold",
         textOf({"<<a", "x=1;y=2", ">>", "!<<b", "x=1;y=2", ">>"}),
         CheckVerdict::FailingUnit,
         0,
         3,
         {3},
         1},
        {"a unit left open", textOf({"<<a", "x=1;y=2"}), CheckVerdict::BadStructure, 0, 0, {}, 1},
        {"six problems",
         textOf({"<<a", "x=1;y=1", "x=1;y=1", "x=1;y=1", "x=1;y=1", "x=1;y=1", "x=1;y=1", ">>"}),
         CheckVerdict::BadStructure,
         0,
         0,
         {},
         1},
        {"nothing", {}, CheckVerdict::BadStructure, 0, 0, {}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ProblemCheck check = checkProblemSet(row.text);
        EXPECT_EQ(check.verdict, row.verdict);
        EXPECT_EQ(check.unitCount, row.unitCount);
        EXPECT_EQ(check.failingUnitLine, row.failingUnitLine);
        EXPECT_EQ(check.failingLines, row.failingLines);
        EXPECT_EQ(check.messages.size(), row.messages);
    }
}

// Each fault the loader's own message would leave unclear is named with its
// line, in words a teacher reads.
TEST(ProblemCheck, NamesTheLineAndWhatIsWrong) {
    const struct {
        const char* name;
        std::vector<EditorLine> text;
        const char* message; // the first message shown
    } rows[] = {
        {"a unit not closed", textOf({"<<a", "x=1;y=2", "<<b", "x=1;y=2", ">>"}),
         "3行目：単元が「>>」で閉じていません"},
        {"text outside a unit", textOf({"x=1;y=2", "<<a", "x=1;y=2", ">>"}),
         "1行目：単元の外にあります（単元は「<<単元名」で始めて「>>」で閉じます）"},
        {"a unit with no problem", textOf({"<<a", ">>"}), "2行目：問題のない単元です"},
        {"the same title twice", textOf({"<<a", "x=1;y=2", ">>", "<<a", "x=1;y=2", ">>"}),
         "4行目：単元1「a」と単元2「a」の名前は記録で区別できません（名前を変えてください）"},
        {"an empty problem line", textOf({"<<a", "x=1;y=2", "", ">>"}),
         "3行目：空の行です（問題の行に空行は使えません）"},
        {"a closing line with a blank", textOf({"<<a", "x=1;y=2", ">> ", ">>"}),
         "3行目：「>>」の後ろに空白があります"},
        {"a character the code page cannot hold", textOf({"<<a", "x=1;y=2", "!x=1;y=2", ">>"}),
         "3行目：「U+1F600」はShift-JISにない文字です"},
        // Its '?' would make the title a problem outside a unit.
        {"a byte order mark",
         {{"?<<a", U'\uFEFF'}, {"x=1;y=2"}, {">>"}},
         "1行目：「U+FEFF」はShift-JISにない文字です"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ProblemCheck check = checkProblemSet(row.text);
        EXPECT_NE(check.verdict, CheckVerdict::Passed);
        ASSERT_FALSE(check.messages.empty());
        EXPECT_EQ(shownText(check.messages).front(), std::string("message: ") + row.message);
    }
}

// OK needs a check after every change; only an edited text reaches the set.
TEST(EditSession, OkTakesOnlyACheckedChange) {
    const std::vector<EditorLine> good = textOf({"<<a", "x=1;y=2", ">>"});
    const std::vector<EditorLine> bad = textOf({"<<a", "x=;y=2", ">>"});
    struct Row {
        const char* name;
        bool change;
        const std::vector<EditorLine>* checked; // nothing: no check
        bool accepted;
        bool saved;
    };
    const Row rows[] = {
        {"unchanged", false, nullptr, true, true},
        {"changed, unchecked", true, nullptr, false, true},
        {"changed, checked", true, &good, true, false},
        {"changed, failed its check", true, &bad, false, true},
        {"checked, then changed again", true, &good, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Messages messages;
        ProblemSet set;
        set.lines = {"<<old", "x=1;y=1", ">>"};
        EditSession session;
        startEditing(session, set.lines);
        if (row.change) noteChange(session);
        if (row.checked) runCheck(session, *row.checked);
        if (std::string_view(row.name).ends_with("again")) noteChange(session);
        EXPECT_EQ(acceptEdit(session, set, messages, good), row.accepted);
        EXPECT_EQ(set.problemSetSaved, row.saved);
        EXPECT_EQ(set.lines.front(), row.saved ? "<<old" : "<<a");
        EXPECT_EQ(shownText(messages), row.accepted
                                           ? std::vector<std::string>{}
                                           : std::vector<std::string>{"message: エラーチェックしてください"});
    }
}

// ｷｬﾝｾﾙ asks only when the text differs from the one the editor opened with,
// however often it was changed on the way.
TEST(EditSession, OnlyATextThatDiffersFromTheOpenedOneIsAskedAbout) {
    const struct {
        const char* name;
        std::vector<EditorLine> text;
        bool differs;
    } rows[] = {
        {"changed back", textOf({"<<a", "x=1;y=2", ">>"}), false},
        {"a line changed", textOf({"<<a", "x=1;y=3", ">>"}), true},
        {"a line added", textOf({"<<a", "x=1;y=2", "x=2;y=1", ">>"}), true},
        {"bytes alike, a character the code page cannot hold", textOf({"<<a", "!x=1;y=2", ">>"}), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EditSession session;
        startEditing(session, {"<<a", "x=1;y=2", ">>"});
        EXPECT_EQ(differsFromOpened(session, row.text), row.differs);
    }
}

} // namespace
} // namespace tavolini
