// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/algebra.h"
#include "core/cp932.h"
#include "core/text_file.h"
#include "editing/problem_check.h"
#include "files/problem_set.h"
#include "practice/problem_set_menu.h"
#include "practice/start_up_set.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/token_text.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tavolini {
namespace {

using Lines = std::vector<std::string>;
using Shown = std::vector<std::string>;

class RecordingProgramEnd final : public ProgramEnd {
  public:
    void endProgram() override { ++endRequests; }
    int endRequests = 0;
};

Lines cp932Lines(std::initializer_list<const char*> utf8) {
    Lines lines;
    for (const char* line : utf8)
        lines.push_back(cp932(line));
    return lines;
}

Lines unitsOfOneProblem(int units) {
    Lines lines;
    for (int u = 1; u <= units; ++u) {
        lines.push_back("<<unit " + std::to_string(u));
        lines.push_back("x=" + std::to_string(u) + ";y=1");
        lines.push_back(">>");
    }
    return lines;
}

struct ReadRow {
    const char* name;
    Lines lines;
    bool ok;
    int unitCount; // when ok
};

TEST(ProblemSet, ReadsUnitsAndRefusesBrokenStructure) {
    const ReadRow rows[] = {
        {"one unit", cp932Lines({"<<加減法", "2x+y=7;x-y=2", ">>"}), true, 1},
        {"two units", cp932Lines({"<<a", "p1", "p2", ">>", "<<b", "q1", ">>"}), true, 2},
        {"five problems", cp932Lines({"<<a", "1", "2", "3", "4", "5", ">>"}), true, 1},
        {"empty title", cp932Lines({"<<", "p", ">>"}), true, 1},
        {"empty line is a problem", cp932Lines({"<<a", "", ">>"}), true, 1},
        {"no lines", {}, false, 0},
        {"six problems", cp932Lines({"<<a", "1", "2", "3", "4", "5", "6", ">>"}), false, 0},
        {"closing with a blank is a problem", cp932Lines({"<<a", "p", ">> ", "<<b", "q", ">>"}), false, 0},
        {"unit without problems", cp932Lines({"<<a", ">>"}), false, 0},
        {"unit not closed before the next", cp932Lines({"<<a", "p", "<<b", "q", ">>"}), false, 0},
        {"closing without a unit", cp932Lines({">>"}), false, 0},
        {"closing twice", cp932Lines({"<<a", "p", ">>", ">>"}), false, 0},
        // Each of these would be read into the wrong rows.
        {"line after the last closing", cp932Lines({"<<a", "p", ">>", "q"}), false, 0},
        {"empty line after the last closing", cp932Lines({"<<a", "p", ">>", ""}), false, 0},
        {"last unit not closed", cp932Lines({"<<a", "p", ">>", "<<b", "q"}), false, 0},
        {"problem before the first unit", cp932Lines({"p", "<<a", "q", ">>"}), false, 0},
        {"only problems", cp932Lines({"p", "q"}), false, 0},
        {"sixteen units", unitsOfOneProblem(16), true, 16},
        {"seventeen units", unitsOfOneProblem(17), false, 0},
        // Their records would share one section of the record file.
        {"the same title twice", cp932Lines({"<<a", "p", ">>", "<<a", "q", ">>"}), false, 0},
        {"titles apart only in ASCII case", cp932Lines({"<<Unit", "p", ">>", "<<uNIT", "q", ">>"}), false, 0},
        {"titles apart in full-width case", cp932Lines({"<<Ａ", "p", ">>", "<<ａ", "q", ">>"}), true, 2},
    };
    for (const ReadRow& row : rows) {
        ProblemSet set;
        set.lines = row.lines;
        EXPECT_EQ(readProblemSet(set).fault == SetFault::None, row.ok) << row.name;
        EXPECT_EQ(set.unitCount, row.unitCount) << row.name;
    }
}

// The editor's check and the reading of a set at start-up or on opening name
// the same line with the same words.
TEST(ProblemSet, NamesTheLineAndWhatIsWrongWithTheUnits) {
    using namespace std::literals;
    const struct {
        Lines lines;
        SetFault fault;
        std::size_t line;
        const char* message;
    } rows[] = {
        {{}, SetFault::NoLines, 0, "問題がありません"},
        {cp932Lines({"<<a", "p", "<<b", "q", ">>"}), SetFault::UnitNotClosed, 2,
         "3行目：単元が「>>」で閉じていません"},
        {cp932Lines({"<<a", "p"}), SetFault::UnitNotClosed, 1, "2行目：単元が「>>」で閉じていません"},
        {cp932Lines({"<<a", ">>"}), SetFault::UnitWithoutProblem, 1, "2行目：問題のない単元です"},
        {cp932Lines({"<<a", "p", ">>", "q"}), SetFault::OutsideUnit, 3,
         "4行目：単元の外にあります（単元は「<<単元名」で始めて「>>」で閉じます）"},
        {cp932Lines({">>"}), SetFault::OutsideUnit, 0,
         "1行目：単元の外にあります（単元は「<<単元名」で始めて「>>」で閉じます）"},
        {cp932Lines({"<<a", "p", ">>", ""}), SetFault::EmptyLine, 3,
         "4行目：空の行です（問題の行に空行は使えません）"},
        {cp932Lines({"<<単元", "1", "2", "3", "4", "5", "6", ">>"}), SetFault::TooManyProblems, 6,
         "7行目：単元「単元」の問題は5問までです"},
        {unitsOfOneProblem(17), SetFault::TooManyUnits, 48, "49行目：単元は16個までです"},
        {{"<<a", std::string(MaxLineBytes + 1, 'x'), ">>"},
         SetFault::LineTooLong,
         1,
         "2行目：行が長すぎます"},
        {cp932Lines({"<<Ab", "p", ">>", "<<c", "q", ">>", "<<aB", "r", ">>"}), SetFault::SameTitles, 6,
         "7行目：単元1「Ab」と単元3「aB」の名前は記録で区別できません（名前を変えてください）"},
        {{"<<a", "x=1;\0y=1"s, ">>"}, SetFault::ControlCharacter, 1, "2行目：制御文字（0x00）があります"},
        {{"<<a\x1b", "p", ">>"}, SetFault::ControlCharacter, 0, "1行目：制御文字（0x1B）があります"},
        // A ">>" with blanks that was meant to end its unit, not the unit left open.
        {{"<<a", "p", ">> ", "<<b", "q", ">>"},
         SetFault::BlankAfterClosing,
         2,
         "3行目：「>>」の後ろに空白があります"},
        {{"<<a", "p", ">>\t"}, SetFault::BlankAfterClosing, 2, "3行目：「>>」の後ろに空白があります"},
        {{"<<a", "1", "2", "3", "4", "5", ">> "},
         SetFault::BlankAfterClosing,
         6,
         "7行目：「>>」の後ろに空白があります"},
        {cp932Lines({"<<a", "x+y=3;x-y=1", ">>"}), SetFault::None, 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        const SetReading reading = readUnitStructure(row.lines);
        EXPECT_EQ(reading.fault, row.fault);
        EXPECT_EQ(reading.line, row.line);
        EXPECT_EQ(utf8FromCp932(setFaultMessage(reading, row.lines)), row.message);

        std::vector<EditorLine> text;
        for (const std::string& line : row.lines)
            text.push_back({line, 0});
        ScriptedDialogs dialogs;
        ProblemSet set;
        set.lines = row.lines;
        set.problemSetPath = "/sets/a.sim";
        readProblemSetShowing(set, dialogs);
        const bool fault = *row.message != '\0';
        EXPECT_EQ(shownText(checkProblemSet(text).messages),
                  fault ? Shown{"message: "s + row.message} : Shown{});
        EXPECT_EQ(dialogs.shown, fault ? Shown{"message: /sets/a.sim:"s + row.message} : Shown{});
    }
}

TEST(ProblemSet, FillsTheTablesExactlyAsWritten) {
    ScriptedDialogs dialogs;
    ProblemSet set;
    set.lines = cp932Lines({"<< 加減法 ", "2x+y=7;x-y=2", "", ">>", "<<<b>", "a;b;c", ">>"});
    ASSERT_TRUE(readProblemSetShowing(set, dialogs));
    EXPECT_EQ(set.unitCount, 2);
    EXPECT_EQ(set.UnitNames[1], cp932(" 加減法 "));
    EXPECT_EQ(set.ProblemTexts[1][0], cp932(" 加減法 "));
    EXPECT_EQ(set.ProblemTexts[1][1], "2x+y=7;x-y=2");
    EXPECT_EQ(set.ProblemTexts[1][2], "");
    EXPECT_EQ(set.problemCounts[1], 2);
    EXPECT_EQ(set.UnitNames[2], "<b>");
    EXPECT_EQ(set.ProblemTexts[2][1], "a;b;c");
    EXPECT_EQ(set.problemCounts[2], 1);
}

TEST(ProblemSet, AFailedReadLeavesTheTablesAsTheyWere) {
    ScriptedDialogs dialogs;
    ProblemSet set;
    set.lines = cp932Lines({"<<a", "x=1;y=1", "x=2;y=2", ">>", "<<b", "x=3;y=3", ">>"});
    ASSERT_TRUE(readProblemSetShowing(set, dialogs));
    const ProblemSet before = set;

    set.lines = cp932Lines({"<<new", "x=9;y=9", ">>", "<<broken", "1", "2", "3", "4", "5", "6", ">>"});
    EXPECT_FALSE(readProblemSetShowing(set, dialogs));
    EXPECT_EQ(set.unitCount, 2);
    EXPECT_EQ(set.UnitNames, before.UnitNames);
    EXPECT_EQ(set.ProblemTexts, before.ProblemTexts);
    EXPECT_EQ(set.problemCounts, before.problemCounts);
}

TEST(ProblemSet, ASmallerSetLeavesNothingOfALargerOneBehind) {
    ScriptedDialogs dialogs;
    ProblemSet set;
    set.lines = cp932Lines({"<<a", "x=1;y=1", "x=2;y=2", ">>", "<<b", "x=3;y=3", ">>"});
    ASSERT_TRUE(readProblemSetShowing(set, dialogs));
    set.lines = cp932Lines({"<<c", "x=4;y=4", ">>"});
    ASSERT_TRUE(readProblemSetShowing(set, dialogs));
    EXPECT_EQ(set.unitCount, 1);
    EXPECT_EQ(set.UnitNames[2], "");
    EXPECT_EQ(set.ProblemTexts[1][2], "");
    EXPECT_EQ(set.problemCounts[2], 0);
}

TEST(ProblemSet, SplitsAProblemAtItsFirstSemicolon) {
    const struct {
        const char* line;
        const char* first;
        const char* second;
    } rows[] = {
        {"2x+y=5;x-y=1", "2x+y=5", "x-y=1"},
        {"a;b;c", "a", "b;c"},
        {" x=1 ; y=2 ", " x=1 ", " y=2 "},
        {";", "", ""},
        {"x=1;", "x=1", ""},
        {"x=1", "?", "?"},
        {"", "?", "?"},
    };
    for (const auto& row : rows) {
        const RenExt problem = splitProblem(row.line);
        EXPECT_EQ(problem.firstText, row.first) << row.line;
        EXPECT_EQ(problem.secondText, row.second) << row.line;
        EXPECT_EQ(problem.invalid, false) << row.line;
    }
}

struct LoadRow {
    const char* line;
    bool valid;
    int equationCount;
    const char* first;  // tokens of slot 1 when it parsed
    const char* second; // tokens of slot 2 when it parsed
    Shown shown;
};

TEST(ProblemSet, LoadsAProblemIntoEquationsOneAndTwo) {
    const LoadRow rows[] = {
        {"2x+y=7;x-y=2", true, 2, "2x 1y = 7", "1x -1y = 2", {}},
        {"1|2(x+4)=y;x+y=8", true, 2, "1|2 ( 1x 4 ) = 1y", "1x 1y = 8", {}},
        {"1=1;x+y=2", true, 2, "1 = 1", "1x 1y = 2", {}},
        {"x=1;x=2",
         false,
         2,
         "1x = 1",
         "1x = 2",
         {"message: x=1;x=2：文字が1つしかありません（文字は2つ使います）"}},
        {"", false, 1, "", "", {"message: 11行目：空の行です（問題の行に空行は使えません）"}},
        {">> ", false, 1, "", "", {"message: 11行目：「>>」の後ろに空白があります"}},
        {"x=1", false, 1, "", "", {"message: x=1：「;」がありません（2つの式は「;」で区切ります）"}},
        {"x#1=2;y=1", false, 1, "", "", {"message: 「#」は使えません", "message: x#1=2;y=1：問題が不正です"}},
        {"x=1;y=",
         false,
         2,
         "1x = 1",
         "",
         {"message: 「=」の右に式がありません", "message: x=1;y=：問題が不正です"}},
        {"x=1;y=1;z=1",
         false,
         2,
         "1x = 1",
         "",
         {"message: 「;」は使えません", "message: x=1;y=1;z=1：問題が不正です"}},
        {"1=2;3=4", false, 2, "1 = 2", "3 = 4", {"message: 文字が不正です"}},
        {"x+y=1;x+z=2",
         false,
         2,
         "1x 1y = 1",
         "1x 1z = 2",
         {"message: x+y=1;x+z=2：3つめの文字「z」があります（文字は2つまでです）"}},
    };
    for (const LoadRow& row : rows) {
        Messages messages;
        Algebra algebra;
        algebra.unknown1 = 'p'; // left from an earlier problem
        algebra.unknown2 = 'q';
        algebra.originCounter = 9;
        algebra.equationCount = 7;
        ProblemSet set;
        set.lines = {"<<a", "p", ">>", "<<b", "p", ">>", "<<c", "p", "p", "p", row.line, ">>"};
        ASSERT_EQ(readProblemSet(set).fault, SetFault::None) << row.line;

        const RenExt problem = loadProblem(set, algebra, 3, 4, messages);
        EXPECT_EQ(problem.invalid, !row.valid) << row.line;
        EXPECT_EQ(algebra.equationCount, row.equationCount) << row.line;
        EXPECT_EQ(shownText(messages), row.shown) << row.line;
        if (*row.first) {
            EXPECT_EQ(tokensText(algebra.EquationTable[1]), row.first) << row.line;
        }
        if (*row.second) {
            EXPECT_EQ(tokensText(algebra.EquationTable[2]), row.second) << row.line;
        }
        if (row.valid) {
            EXPECT_EQ(algebra.EquationTable[1].origin, 1) << row.line;
            EXPECT_EQ(algebra.EquationTable[2].origin, 2) << row.line;
            EXPECT_EQ(algebra.originCounter, 2) << row.line;
        }
    }
}

TEST(ProblemSet, LoadingFindsTheProblemsOwnLetters) {
    Messages messages;
    Algebra algebra;
    ProblemSet set;
    set.ProblemTexts[1][1] = "2x+y=7;x-y=2";
    set.ProblemTexts[1][2] = "2b+a=8;a-b=1";
    ASSERT_EQ(loadProblem(set, algebra, 1, 1, messages).invalid, false);
    ASSERT_EQ(loadProblem(set, algebra, 1, 2, messages).invalid, false);
    EXPECT_EQ(algebra.unknown1, 'a');
    EXPECT_EQ(algebra.unknown2, 'b');
}

// One equation with a decimal point makes the whole problem drawn in decimals.
TEST(ProblemSet, AProblemIsInDecimalsWhenEitherEquationIs) {
    const std::pair<const char*, bool> rows[] = {
        {"0.3(x+2)=y-0.5;x+y=2", true}, {"x-y=1/2;0.5x+y=1", true}, {"x-y=1/2;x+y=1", false}};
    for (const auto& [line, decimals] : rows) {
        Messages messages;
        Algebra algebra;
        ProblemSet set;
        set.ProblemTexts[1][1] = line;
        ASSERT_EQ(loadProblem(set, algebra, 1, 1, messages).invalid, false) << line;
        EXPECT_EQ(algebra.hasDecimalPoint, decimals) << line;
    }
}

TEST(ProblemSet, AProblemOutsideTheTablesIsInvalid) {
    for (const auto& [unit, problem] : {std::pair{0, 1}, {17, 1}, {-1, 1}, {1, 6}, {1, -1}}) {
        Messages messages;
        Algebra algebra;
        ProblemSet set;
        EXPECT_EQ(loadProblem(set, algebra, unit, problem, messages).invalid, true);
        EXPECT_EQ(shownText(messages), (Shown{"message: ：「;」がありません（2つの式は「;」で区切ります）"}));
    }
}

TEST(ProblemSet, LoadsAFileIntoItsLines) {
    TempFolder folder;
    const std::string path = folder / "set";
    writeBytes(path, "<<a\r\nx=1;y=2\n>>\r<<b\r\n\x82\xa0;y\r\n>>");
    ScriptedDialogs dialogs;
    Algebra algebra;
    RecordingProgramEnd programEnd;
    ProblemSet set;
    set.lines = {"stale"};
    ASSERT_EQ(loadProblemSetFile(set, algebra, dialogs, programEnd, path).fault, SetFileFault::None);
    EXPECT_EQ(set.lines, (Lines{"<<a", "x=1;y=2", ">>", "<<b", "\x82\xa0;y", ">>"}));
    EXPECT_EQ(set.problemSetPath, path);
    EXPECT_EQ(programEnd.endRequests, 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ProblemSet, AFileThatCannotBeLoadedEndsTheProgram) {
    TempFolder folder;
    const struct {
        std::string path;
        ParseError error;
        std::string message;
    } rows[] = {
        {folder / "none.sim", ParseError::None,
         "message: " + folder / "none.sim" + ":FileNot Exists0:回復不能なエラーです"},
        {folder / "none.sim", ParseError::TextTooLong,
         "message: " + folder / "none.sim" + ":FileNot Exists111:回復不能なエラーです"},
    };
    for (const auto& row : rows) {
        ScriptedDialogs dialogs;
        Algebra algebra;
        algebra.parseError = row.error;
        RecordingProgramEnd programEnd;
        ProblemSet set;
        set.lines = {"<<a"};
        set.problemSetPath = "before";
        EXPECT_EQ(loadProblemSetFile(set, algebra, dialogs, programEnd, row.path).fault,
                  SetFileFault::Missing)
            << row.path;
        EXPECT_EQ(dialogs.shown, Shown{row.message});
        EXPECT_EQ(programEnd.endRequests, 1);
        EXPECT_TRUE(set.lines.empty());
        EXPECT_EQ(set.problemSetPath, "before");
    }
}

// Only code page 932 text in a small regular file becomes the lines: anything
// else would be shown garbled, written back changed, or never finish reading.
TEST(ProblemSet, RefusesAFileThatIsNotAShiftJisProblemSet) {
    TempFolder folder;
    writeBytes(folder / "utf8.sim", "<<\xe5\x8a\xa0\xe6\xb8\x9b\r\nx=1;y=1\r\n>>\r\n");
    writeBytes(folder / "stray.sim", "<<a\xa0\x95\r\nx=1;y=1\r\n>>\r\n");
    writeBytes(folder / "unit.sim",
               "<<\xe5\x8d\x98\xe5\x85\x83\r\nx=1;y=1\r\n>>\r\n"); // 単元 in UTF-8: one pair names nothing
    writeBytes(folder / "bom.sim", "\xef\xbb\xbf<<a\r\nx=1;y=1\r\n>>\r\n");
    writeBytes(folder / "long.sim", "<<a\r\n" + std::string(MaxLineBytes + 1, 'x') + "\r\n>>\r\n");
    writeBytes(folder / "full.sim", "<<a\r\n" + std::string(MaxLineBytes, 'x') + "\r\n>>\r\n");
    writeBytes(folder / "huge.sim", std::string(MaxTextFileBytes + 1, 'x'));
    writeBytes(folder / "nul.sim", std::string("<<a\r\nx=1;\0y=1\r\n>>\r\n", 19));
    ASSERT_EQ(::mkfifo((folder / "fifo.sim").c_str(), 0600), 0);
    const struct {
        std::string name;
        SetFileFault fault;
        const char* message;
    } rows[] = {
        {"utf8.sim", SetFileFault::NotShiftJis, ":Shift-JISの問題ファイルではありません"},
        {"stray.sim", SetFileFault::NotShiftJis, ":Shift-JISの問題ファイルではありません"},
        {"unit.sim", SetFileFault::NotShiftJis, ":Shift-JISの問題ファイルではありません"},
        {"bom.sim", SetFileFault::NotShiftJis, ":Shift-JISの問題ファイルではありません"},
        {"long.sim", SetFileFault::LineTooLong, ":2行目が長すぎます（1行1024バイトまでです）"},
        {"huge.sim", SetFileFault::TooLarge, ":ファイルが大きすぎます（問題ファイルは1MBまでです）"},
        {"fifo.sim", SetFileFault::NotAFile, ":ふつうのファイルではありません"},
        {"none.sim", SetFileFault::Missing, ":ファイルがありません"},
        {".", SetFileFault::Folder, ":フォルダです。問題ファイルを選んでください"},
        {"full.sim", SetFileFault::None, ""},
        {"nul.sim", SetFileFault::None, ""}, // its line's fault, for the unit check to name
    };
    for (const auto& row : rows) {
        ProblemSet set;
        set.lines = {"<<kept"};
        const std::string path = folder / row.name;
        const SetFileReading reading = readProblemSetFile(set, path);
        EXPECT_EQ(reading.fault, row.fault) << row.name;
        EXPECT_EQ(set.lines.empty(), row.fault != SetFileFault::None) << row.name;
        if (row.fault != SetFileFault::None) {
            EXPECT_EQ(utf8FromCp932(setFileMessage(set.problemSetPath, reading)),
                      set.problemSetPath + row.message);
        }
    }
}

TEST(ProblemSet, AMessageShowsOnlyTheStartOfALongLine) {
    const std::string kana = cp932("あ");
    const struct {
        std::string line;
        std::string shown;
    } rows[] = {
        {std::string(ShownLineBytes, 'x'), std::string(ShownLineBytes, 'x')},
        {std::string(ShownLineBytes + 1, 'x'), std::string(ShownLineBytes, 'x') + "..."},
        // A double-byte character is never cut in two.
        {"x" + std::string(kana) + std::string(ShownLineBytes, 'y'),
         "x" + kana + std::string(ShownLineBytes - 3, 'y') + "..."},
        {std::string(ShownLineBytes - 1, 'x') + kana, std::string(ShownLineBytes - 1, 'x') + "..."},
    };
    for (const auto& row : rows)
        EXPECT_EQ(shownLine(row.line), row.shown) << row.line;
}

// Named by their lines in the file, as the teacher finds them.
TEST(ProblemSet, FindsTheProblemsThatDoNotLoad) {
    const std::pair<Lines, const char*> rows[] = {
        {{"<<a", "x+y=;x-y=2", ">>"}, "1問は使えません：2行目"},
        {{"<<a", "x+y=;x-y=2", ">>", "<<b", "x=1;x=2", "", "x+y=3;x-y=1", ">>"},
         "3問は使えません：2行目、5行目、6行目"},
        {{"<<a", "x+y=3;x-y=1", ">>"}, "0問は使えません："},
    };
    for (const auto& [lines, message] : rows) {
        ProblemSet set;
        set.lines = lines;
        ASSERT_EQ(readProblemSet(set).fault, SetFault::None);
        const ProblemTrial trial = tryEveryProblem(set);
        EXPECT_EQ(trial.problems, lines.size() - 2 * static_cast<std::size_t>(set.unitCount));
        EXPECT_EQ(utf8FromCp932(unusableProblemsMessage(trial)), message);
    }
}

// A relative path is held, and named in messages, from the current folder.
TEST(ProblemSet, AProblemSetIsKnownByItsAbsolutePath) {
    TempFolder folder;
    const std::string path = folder / "set.sim";
    writeBytes(path, "<<a\r\nx=1;y=2\r\n>>\r\n");
    const std::string relative = std::filesystem::relative(path).native();
    const std::string missing = "none.sim";
    const std::string missingPath = (std::filesystem::current_path() / "none.sim").native();
    ScriptedDialogs dialogs;
    Algebra algebra;
    RecordingProgramEnd programEnd;
    ProblemSet set;
    ASSERT_EQ(loadProblemSetFile(set, algebra, dialogs, programEnd, relative).fault, SetFileFault::None)
        << relative;
    EXPECT_TRUE(std::filesystem::path(set.problemSetPath).is_absolute()) << set.problemSetPath;
    EXPECT_TRUE(std::filesystem::equivalent(set.problemSetPath, path)) << set.problemSetPath;
    EXPECT_EQ(loadProblemSetFile(set, algebra, dialogs, programEnd, missing).fault, SetFileFault::Missing);
    EXPECT_EQ(dialogs.shown, Shown{"message: " + missingPath + ":FileNot Exists0:回復不能なエラーです"});
}

TEST(ProblemSet, WritesTheLinesByteForByteWithCrLf) {
    TempFolder folder;
    const std::string path = folder / "saved"; // no extension is added
    ScriptedDialogs dialogs;
    ProblemSet set;
    set.lines = {cp932("<<分数"), "1|2(x+4)=y;x+y=8", "", "\xed\x40\xfa\x5c;\xa2x\xa3=1 ", ">>"};
    Messages messages;
    ASSERT_TRUE(writeProblemSetFile(set, messages, path));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(readBytes(path),
              cp932("<<分数") + "\r\n1|2(x+4)=y;x+y=8\r\n\r\n\xed\x40\xfa\x5c;\xa2x\xa3=1 \r\n>>\r\n");

    Algebra algebra;
    RecordingProgramEnd programEnd;
    ProblemSet reread;
    ASSERT_EQ(loadProblemSetFile(reread, algebra, dialogs, programEnd, path).fault, SetFileFault::None);
    EXPECT_EQ(reread.lines, set.lines);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ProblemSet, AFailedWriteNamesTheFileAndKeepsTheOldOne) {
    TempFolder folder;
    writeBytes(folder / "plain", "old");
    ProblemSet set;
    set.lines = {"<<a", "x=1;y=1", ">>"};
    for (const std::string& path : {folder / "gone/set.sim", folder / "plain/set.sim"}) {
        Messages messages;
        EXPECT_FALSE(writeProblemSetFile(set, messages, path)) << path;
        EXPECT_EQ(shownText(messages), Shown{"message: " + path + ":フォルダがありません"});
    }
    EXPECT_EQ(readBytes(folder / "plain"), "old");

    writeBytes(folder / "locked.sim", "old");
    std::filesystem::permissions(folder / "locked.sim", std::filesystem::perms::owner_read);
    Messages messages;
    EXPECT_FALSE(writeProblemSetFile(set, messages, folder / "locked.sim"));
    EXPECT_EQ(shownText(messages),
              Shown{"message: " + folder / "locked.sim" + ":読み取り専用のファイルなので書き込めません"});
    EXPECT_EQ(readBytes(folder / "locked.sim"), "old");
}

TEST(ProblemSet, StartsAtProblemOneOfEveryUnit) {
    const ProblemSet set;
    EXPECT_EQ(set.currentUnit, 1);
    for (const std::int32_t problem : set.problemNumbers)
        EXPECT_EQ(problem, 1);
    EXPECT_TRUE(set.problemSetSaved);
    const std::string folder = currentFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
}

} // namespace
} // namespace tavolini
