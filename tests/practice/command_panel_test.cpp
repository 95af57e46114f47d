// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "practice/command_panel.h"
#include "support/parse_quietly.h"
#include "support/practice_harness.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

using Shown = std::vector<std::string>;
using Focus = FakePanelView::Focus;

const std::string OrderMessage = "message: 操作が誤りです。例①＋②，①÷２，④代入①";
const std::string MinusMessage = "message: －の位置が間違っています";

constexpr int Enter = 13, Escape = 27, Delete = 46;

// The problem of the typical road, started: ① and ② on the page, no command.
struct Panel : PracticeHarness {
    Panel() : PracticeHarness(oneUnit({"2x+y=7;x-y=2"})) {
        start();
        takeShown();
    }

    // Gives the table `count` equations, copies of ② (so that labels up to
    // (32) can be chosen without working that far).
    void fillTo(int count) {
        for (int n = 3; n <= count; ++n) {
            algebra.EquationTable[static_cast<std::size_t>(n)] = algebra.EquationTable[2];
            panelView.enableEquationButton(n, true);
        }
        algebra.equationCount = count;
    }
};

// The design's character of the command's operation, '?' for none.
char codeOf(const CommandState& command) {
    return command.operation ? operationRow(*command.operation).code : '?';
}

// Where the panel stands after a run of entries.
struct Composed {
    int composeStep;
    int lastEntry;
    int firstEquation;
    int secondEquation;
    char operationCode;
    std::string message; // the page message
    std::string operand; // pnlNumber
    bool execute;
    bool numberPad;
};

struct EntryRow {
    const char* entries; // the buttons pressed, as compose writes them
    Composed after;
    Shown shown;
};

void checkEntries(const std::vector<EntryRow>& rows) {
    for (const EntryRow& row : rows) {
        Panel p;
        p.compose(row.entries);
        const Composed& want = row.after;
        SCOPED_TRACE(row.entries);
        EXPECT_EQ(p.takeShown(), row.shown);
        EXPECT_EQ(p.command.composeStep, static_cast<ComposeStep>(want.composeStep));
        EXPECT_EQ(p.command.lastEntry, want.lastEntry);
        EXPECT_EQ(p.command.firstEquation, want.firstEquation);
        EXPECT_EQ(p.command.secondEquation, want.secondEquation);
        EXPECT_EQ(codeOf(p.command), want.operationCode);
        EXPECT_EQ(p.message(), want.message);
        EXPECT_EQ(p.operand(), want.operand);
        EXPECT_EQ(utf8FromCp932(p.command.pnlNumber), want.operand);
        EXPECT_EQ(p.panelView.executeOn, want.execute);
        EXPECT_EQ(p.panelView.numberPadOn, want.numberPad);
        EXPECT_TRUE(p.frameAgrees());
    }
}

TEST(CommandPanel, AcceptsEntriesInTheirOrderAndRefusesTheRest) {
    checkEntries({
        {"", {0, 0, 0, 0, '?', "", "", false, false}, {}},
        {"①", {1, 1, 1, 0, '?', "①", "", false, false}, {}},
        {"②", {1, 1, 2, 0, '?', "②", "", false, false}, {}},
        {"①＋", {2, 2, 1, 0, '+', "①＋", "", true, true}, {}},
        {"①＋②", {3, 1, 1, 2, '+', "①＋②", "", true, false}, {}},
        {"②－①", {3, 1, 2, 1, '-', "②－①", "", true, false}, {}},
        {"①代入②", {3, 1, 1, 2, '^', "①代入②", "", true, false}, {}},
        {"①＋3", {2, 3, 1, 0, '+', "①＋3", "3", true, true}, {}},
        {"①×12", {2, 3, 1, 0, '*', "①×12", "12", true, true}, {}},
        // An operation before any equation, a second equation in a row, a
        // second operation, an equation after a number or after the second one.
        {"＋", {0, 0, 0, 0, '?', "", "", false, false}, {OrderMessage}},
        {"代入", {0, 0, 0, 0, '?', "", "", false, false}, {OrderMessage}},
        {"①②", {1, 1, 1, 0, '?', "①", "", false, false}, {OrderMessage}},
        {"①××", {2, 2, 1, 0, '*', "①×", "", true, true}, {OrderMessage}},
        {"①×÷", {2, 2, 1, 0, '*', "①×", "", true, true}, {OrderMessage}},
        {"①＋3②", {2, 3, 1, 0, '+', "①＋3", "3", true, true}, {OrderMessage}},
        {"①＋②①", {3, 1, 1, 2, '+', "①＋②", "", true, false}, {OrderMessage}},
        {"①＋②－", {3, 1, 1, 2, '+', "①＋②", "", true, false}, {OrderMessage}},
        // Accepted here, refused by 実行.
        {"①×②", {3, 1, 1, 2, '*', "①×②", "", true, false}, {}},
        // 代入, 整理, 移項 and かっこ take no number: the keys do nothing.
        {"①整理3", {2, 2, 1, 0, 'S', "①整理", "", true, true}, {}},
        {"①代入5.分の", {2, 2, 1, 0, '^', "①代入", "", true, true}, {}},
        {"①かっこ-", {2, 2, 1, 0, 'K', "①かっこ", "", true, true}, {}},
        {"①移項CL", {2, 2, 1, 0, 'I', "①移項", "", true, true}, {}},
        // Pad keys with no operation chosen change nothing.
        {"3", {0, 0, 0, 0, '?', "", "", false, false}, {}},
        {"①3分の", {1, 1, 1, 0, '?', "①", "", false, false}, {}},
    });
}

// After the pad's － (as after a digit) an equation gets the order message:
// the command would read "①＋(-②" while ①＋② was carried out.
TEST(CommandPanel, AnEquationAfterThePadMinusIsRefused) {
    for (const char* entries : {"①＋-②", "①－-②", "①×-②"}) {
        Panel p;
        p.compose(entries);
        SCOPED_TRACE(entries);
        EXPECT_EQ(p.takeShown(), Shown{OrderMessage});
        EXPECT_EQ(p.command.composeStep, ComposeStep::OperationChosen);
        EXPECT_EQ(p.command.secondEquation, 0);
        EXPECT_EQ(p.operand(), "-");
        EXPECT_EQ(p.message().substr(p.message().size() - 2), "(-");
    }
    Panel p;
    p.compose("①＋-②");
    p.execute();
    EXPECT_NE(p.equation(3), "3x = 9") << "the typed minus is lost";
}

TEST(CommandPanel, EveryOperationButtonWritesItsCodeAndText) {
    struct Row {
        Operation operation;
        char code;
        const char* text;
    };
    using enum Operation;
    const Row rows[] = {{Multiply, '*', "×"},     {Divide, '/', "÷"},        {Add, '+', "＋"},
                        {Subtract, '-', "－"},    {Substitute, '^', "代入"}, {Simplify, 'S', "整理"},
                        {Transpose, 'I', "移項"}, {Brackets, 'K', "かっこ"}};
    for (const Row& row : rows) {
        Panel p;
        p.press("②");
        p.panel.chooseOperation(row.operation);
        EXPECT_EQ(codeOf(p.command), row.code) << row.text;
        EXPECT_EQ(p.message(), std::string("②") + row.text) << row.text;
        EXPECT_EQ(p.command.composeStep, ComposeStep::OperationChosen) << row.text;
        EXPECT_TRUE(p.takeShown().empty()) << row.text;
    }
}

TEST(CommandPanel, AnEquationNumberWithoutAnEquationDoesNothing) {
    for (int n : {-1, 0, 3, 18, 33}) {
        Panel p;
        p.panel.chooseEquation(n);
        EXPECT_EQ(p.command.composeStep, ComposeStep::Nothing) << n;
        EXPECT_EQ(p.command.firstEquation, 0) << n;
        EXPECT_EQ(p.page.highlightedEquation, -1) << n;
        EXPECT_TRUE(p.takeShown().empty()) << n;
        EXPECT_TRUE(p.pageView.outlined.empty()) << n;
    }
}

TEST(CommandPanel, TheFirstEquationReplacesTheMessageOfTheLastStep) {
    Panel p;
    p.pageView.setPageMessage(cp932("解の１つが出ました"));
    p.press("②");
    EXPECT_EQ(p.message(), "②");
}

TEST(CommandPanel, ChosenEquationsAreFramedAndTheFrameFollowsTheChoice) {
    Panel p;
    p.press("①");
    EXPECT_EQ(p.page.highlightedEquation, 1);
    EXPECT_EQ(p.pageView.outlined, std::set<int>{1});
    EXPECT_EQ(p.page.hoverFrozen, 1);

    p.press("＋");
    EXPECT_EQ(p.page.hoverFrozen, 0); // the frame may follow the mouse to the second equation
    EXPECT_EQ(p.pageView.outlined, std::set<int>{1});

    p.press("②");
    EXPECT_EQ(p.page.highlightedEquation, 2);
    EXPECT_EQ(p.pageView.outlined, std::set<int>{2});
    EXPECT_EQ(p.page.hoverFrozen, 1);

    p.press("①"); // refused: the frame stays where it is
    EXPECT_EQ(p.pageView.outlined, std::set<int>{2});
    EXPECT_TRUE(p.frameAgrees());
}

TEST(CommandPanel, ChoosingTheEquationTheMouseHasFramedKeepsOneFrame) {
    Panel p;
    p.press("①");
    p.press("＋");
    // The page framed ② under the mouse while the pupil looked for it.
    p.pageView.toggleRowOutline(1);
    p.pageView.toggleRowOutline(2);
    p.page.highlightedEquation = 2;
    p.press("②");
    EXPECT_EQ(p.pageView.outlined, std::set<int>{2});
    EXPECT_TRUE(p.frameAgrees());
}

// The number pad is on only while a number may follow the operation.
TEST(CommandPanel, SetPanelModeEnablesThePadOnlyAfterTheOperation) {
    struct Row {
        ComposeStep mode;
        bool numberPad;
    };
    using enum ComposeStep;
    for (const Row& row : {Row{Nothing, false}, Row{FirstEquation, false}, Row{OperationChosen, true},
                           Row{SecondEquation, false}}) {
        Panel p;
        p.panelView.numberPadOn = !row.numberPad;
        p.panel.setPanelMode(row.mode);
        EXPECT_EQ(p.panelView.numberPadOn, row.numberPad) << static_cast<int>(row.mode);
    }
}

TEST(CommandPanel, TheFocusGoesToExecuteOnceItIsEnabled) {
    Panel p;
    p.panelView.focus = Focus::Unmoved;
    p.press("①");
    p.press("＋");
    EXPECT_EQ(p.panelView.focus, Focus::Execute);

    Panel q;
    q.compose("①＋3");
    EXPECT_EQ(q.panelView.focus, Focus::Execute);
    EXPECT_EQ(q.page.hoverFrozen, 1);
}

struct PadRow {
    const char* entries;
    std::string message;
    std::string operand;
    int lastEntry;
    Shown shown;
};

void checkPad(const std::vector<PadRow>& rows, int equations = 2) {
    for (const PadRow& row : rows) {
        Panel p;
        p.fillTo(equations);
        p.compose(row.entries);
        SCOPED_TRACE(row.entries);
        EXPECT_EQ(p.message(), row.message);
        EXPECT_EQ(p.operand(), row.operand);
        EXPECT_EQ(p.command.lastEntry, row.lastEntry);
        EXPECT_EQ(p.takeShown(), row.shown);
    }
}

TEST(CommandPanel, PadKeysWriteTheOperandIntoTheDisplayAndTheCommand) {
    checkPad({
        {"①×3", "①×3", "3", 3, {}},
        {"①×3分の2", "①×3分の2", "3分の2", 3, {}},
        {"①÷0.5", "①÷0.5", "0.5", 3, {}},
        {"①＋．5", "①＋.5", ".5", 3, {}},
        {"①－１０", "①－10", "10", 3, {}},
        // The minus opens a bracket in the command and no closing one follows.
        {"①×-", "①×(-", "-", 3, {}},
        {"①×-3", "①×(-3", "-3", 3, {}},
        {"①×-3分の2", "①×(-3分の2", "-3分の2", 3, {}},
        // A minus only at the start of the number, from the button as from the keys.
        {"①×3-", "①×3", "3", 3, {MinusMessage}},
        {"①×--", "①×(-", "-", 3, {MinusMessage}},
        {"①×-3-4", "①×(-34", "-34", 3, {MinusMessage}},
    });
}

TEST(CommandPanel, ClearRemovesExactlyTheTypedOperand) {
    checkPad({
        {"①×3CL", "①×", "", 3, {}},
        {"①×3分のCL", "①×", "", 3, {}},
        {"①×3分の2CL", "①×", "", 3, {}},
        {"①×-CL", "①×", "", 3, {}},
        {"①×-5CL", "①×", "", 3, {}},
        {"①×CL", "①×", "", 2, {}},
        {"①×3CL5", "①×5", "5", 3, {}},
        {"①×3CL-5", "①×(-5", "-5", 3, {}},
        {"①×3CLCL", "①×", "", 3, {}},
        {"①×12CL1", "①×1", "1", 3, {}},
    });
}

TEST(CommandPanel, ClearKeepsAnEquationNamedInBracketsAndDigitsBeforeTheOperand) {
    checkPad(
        {
            {"(21)×1CL", "(21)×", "", 3, {}},
            {"(21)×21CL", "(21)×", "", 3, {}},
            {"(21)×-2CL", "(21)×", "", 3, {}},
            {"(32)÷3分の2CL", "(32)÷", "", 3, {}},
            {"(22)＋2CL3", "(22)＋3", "3", 3, {}},
            {"⑫×2CL", "⑫×", "", 3, {}},
        },
        32);
}

TEST(CommandPanel, TheMinusOfTheKeyboardIsRefusedAfterADigitLikeTheButton) {
    Panel p;
    p.compose("①×3");
    EXPECT_TRUE(p.key('-'));
    EXPECT_EQ(p.takeShown(), Shown{MinusMessage});
    EXPECT_EQ(p.message(), "①×3");
    EXPECT_EQ(p.operand(), "3");
}

TEST(CommandPanel, AfterClearAnExecutionWithoutANumberIsRefused) {
    Panel p;
    p.compose("①×3CL");
    p.execute();
    EXPECT_EQ(p.takeShown(), Shown{OrderMessage});
    EXPECT_EQ(p.algebra.equationCount, 2);
    EXPECT_EQ(p.message(), "①×");
    EXPECT_EQ(p.command.composeStep, ComposeStep::OperationChosen);
}

TEST(CommandPanel, TheMainWindowSwallowsKeysWhileNoEquationIsChosen) {
    for (char c : {'*', '+', '3', 'd', 'B', '-'}) {
        Panel p;
        EXPECT_TRUE(p.key(c)) << c;
        EXPECT_FALSE(p.pageKey(c)) << c;
        EXPECT_EQ(p.command.composeStep, ComposeStep::Nothing) << c;
        EXPECT_EQ(p.message(), "") << c;
        EXPECT_TRUE(p.takeShown().empty()) << c;
    }
}

TEST(CommandPanel, EnterExecutesOnThePageAtAnyStepButNotInTheIdleMainWindow) {
    Panel p;
    EXPECT_EQ(p.keyDown(Enter), CommandPanel::KeyAction::None);
    EXPECT_EQ(p.keyDown(Escape), CommandPanel::KeyAction::None);
    EXPECT_TRUE(p.takeShown().empty());

    EXPECT_EQ(p.pageKeyDown(Enter), CommandPanel::KeyAction::Execute);
    EXPECT_EQ(p.takeShown(), Shown{OrderMessage}); // nothing composed
    EXPECT_EQ(p.pageKeyDown(Escape), CommandPanel::KeyAction::None);

    p.compose("①＋②");
    EXPECT_EQ(p.pageKeyDown(Enter), CommandPanel::KeyAction::Execute);
    EXPECT_EQ(p.algebra.equationCount, 3);
    EXPECT_EQ(p.equation(3), "3x = 9");
}

TEST(CommandPanel, AfterAnEquationKeysChooseTheOperation) {
    struct Row {
        char key;
        char code; // '?' for a key that is ignored
    };
    const Row rows[] = {{'*', '*'}, {'/', '/'}, {'+', '+'}, {'-', '-'}, {'D', '^'}, {'d', '^'},
                        {'S', 'S'}, {'s', 'S'}, {'I', 'I'}, {'i', 'I'}, {'K', 'K'}, {'k', 'K'},
                        {'3', '?'}, {'x', '?'}, {'B', '?'}, {'.', '?'}, {'T', '?'}};
    for (const Row& row : rows) {
        for (bool onPage : {false, true}) {
            Panel p;
            p.press("①");
            const bool used = onPage ? p.pageKey(row.key) : p.key(row.key);
            SCOPED_TRACE(std::string(1, row.key) + (onPage ? " on the page" : " in the main window"));
            EXPECT_EQ(used, row.code != '?');
            EXPECT_EQ(codeOf(p.command), row.code);
            EXPECT_EQ(p.command.composeStep,
                      row.code == '?' ? ComposeStep::FirstEquation : ComposeStep::OperationChosen);
            EXPECT_TRUE(p.takeShown().empty());
        }
    }
}

TEST(CommandPanel, AfterAnOperationKeysTypeTheNumber) {
    struct Row {
        const char* keys;
        std::string message;
        std::string operand;
    };
    const Row rows[] = {
        {"0123456789", "①×0123456789", "0123456789"},
        {"3b2", "①×3分の2", "3分の2"},
        {"3B2", "①×3分の2", "3分の2"},
        {"-1.5", "①×(-1.5", "-1.5"},
        {"x*D+/Sik", "①×", ""}, // letters and operation keys are ignored now
    };
    for (const Row& row : rows) {
        Panel p;
        p.compose("①×");
        for (const char* c = row.keys; *c != '\0'; ++c)
            p.key(*c);
        EXPECT_EQ(p.message(), row.message) << row.keys;
        EXPECT_EQ(p.operand(), row.operand) << row.keys;
        EXPECT_EQ(p.command.operation, Operation::Multiply) << row.keys;
        EXPECT_TRUE(p.takeShown().empty()) << row.keys;
    }
}

TEST(CommandPanel, AfterTheSecondEquationKeysAreIgnored) {
    Panel p;
    p.compose("①＋②");
    for (char c : {'3', '-', '*', 'b'})
        EXPECT_FALSE(p.key(c)) << c;
    EXPECT_EQ(p.message(), "①＋②");
    EXPECT_EQ(p.operand(), "");
}

TEST(CommandPanel, EnterEscapeAndDeleteWhileComposing) {
    Panel p;
    p.compose("①×3");
    EXPECT_EQ(p.keyDown(Delete), CommandPanel::KeyAction::Used);
    EXPECT_EQ(p.message(), "①×");
    EXPECT_EQ(p.operand(), "");

    p.key('2');
    EXPECT_EQ(p.keyDown(Enter), CommandPanel::KeyAction::Execute);
    EXPECT_EQ(p.algebra.equationCount, 3);
    EXPECT_EQ(p.equation(3), "4x 2y = 14");

    p.compose("③÷");
    EXPECT_EQ(p.keyDown(Escape), CommandPanel::KeyAction::Correct);
    EXPECT_EQ(p.command.composeStep, ComposeStep::Nothing);
    EXPECT_EQ(p.message(), "");
    EXPECT_EQ(p.algebra.equationCount, 3); // a command was cancelled, no step taken back
}

// With Shift the keypad's codes 96 to 105 are its digits, and Enter and
// Escape lose their meaning.
TEST(CommandPanel, ShiftTurnsKeyCodesIntoCharacters) {
    struct Row {
        const char* before;
        int code;
        std::string message;
        int equationCount;
    };
    const Row rows[] = {
        {"①×", '8', "①×8", 2},    {"①×", 96, "①×0", 2},       {"①×", 97, "①×1", 2},
        {"①×", 105, "①×9", 2},    {"①×", 'B', "①×分の", 2},   {"①", 'D', "①代入", 2},
        {"①", 'K', "①かっこ", 2}, {"①＋②", Enter, "①＋②", 2}, {"①×3", Escape, "①×3", 2},
        {"①×3", 'X', "①×3", 2},
    };
    for (const Row& row : rows) {
        Panel p;
        p.compose(row.before);
        const auto expected =
            row.message == row.before ? CommandPanel::KeyAction::None : CommandPanel::KeyAction::Used;
        EXPECT_EQ(p.keyDown(row.code, true), expected) << row.before << " " << row.code;
        EXPECT_EQ(p.message(), row.message) << row.before << " " << row.code;
        EXPECT_EQ(p.algebra.equationCount, row.equationCount) << row.before << " " << row.code;
    }
}

// A key press arrives as its code and its text; the pair makes one entry.
// The digit row's code is the digit whatever sign Shift gives it: '(' on a
// Japanese keyboard, '*' on a US one.
TEST(CommandPanel, OneKeyPressMakesOneEntry) {
    struct Row {
        const char* before;
        int code;
        bool shift;
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"①×", 'B', true, "B", "①×分の"}, {"①×", 'B', false, "b", "①×分の"}, {"①×", '8', true, "(", "①×8"},
        {"①×", '8', true, "*", "①×8"},    {"①×", '2', true, "\"", "①×2"},    {"①×", 0, true, "*", "①×"},
        {"①", 0, true, "*", "①×"},        {"①", '8', true, "*", "①×"},       {"①", 'D', true, "D", "①代入"},
        {"①×", '7', false, "7", "①×7"},   {"", 'K', false, "k", ""},
    };
    for (const Row& row : rows) {
        Panel p;
        p.compose(row.before);
        p.keyStroke(row.code, row.shift, row.text);
        EXPECT_EQ(p.message(), row.message) << row.before << " " << row.code << " " << row.text;
    }
}

// E and the digits of an equation's number choose it, on the window and on
// the page: at once when no more digits could name another equation, else on
// Enter or on the next key, which then counts as itself. '\r' is Enter, '\x1b' Escape.
TEST(CommandPanel, TheEquationKeyAndDigitsChooseAnEquation) {
    struct Row {
        int equations;
        const char* before;
        const char* keys;
        const char* message;
    };
    const Row rows[] = {
        {2, "", "e1", "①"},
        {2, "", "E2", "②"},
        {2, "", "e3", ""},
        {12, "", "e1", ""},
        {12, "", "e1\r", "①"},
        {12, "", "e12", "⑫"},
        {12, "", "e10*", "⑩×"},
        {12, "", "e1*", "①×"},
        {12, "", "e3", "③"},
        {12, "",
         "e1\x1b"
         "2",
         ""},
        {2, "①＋", "e2", "①＋②"},
        {2, "①＋", "2", "①＋2"},
        {2, "①×", "e2", "①×②"},
        {2, "①", "e", "①"},
        {32, "", "e32", "(32)"},
        {32, "", "e0\r", ""},
    };
    for (const Row& row : rows) {
        for (bool onPage : {false, true}) {
            Panel p;
            p.fillTo(row.equations);
            p.compose(row.before);
            p.takeShown();
            for (const char* c = row.keys; *c != '\0'; ++c) {
                const int code = *c == '\r' ? Enter : *c == '\x1b' ? Escape : 0;
                p.panel.keyStroke(code, false, code == 0 ? std::string(1, *c) : std::string(), !onPage);
            }
            SCOPED_TRACE(std::string(row.before) + row.keys + (onPage ? " on the page" : ""));
            EXPECT_EQ(p.message(), row.message);
            EXPECT_EQ(p.algebra.equationCount, row.equations); // Enter chose, it did not execute
        }
    }
}

TEST(CommandPanel, ShiftDeleteDoesNotClear) {
    Panel p;
    p.compose("①×3");
    p.keyDown(Delete, true);
    EXPECT_EQ(p.operand().substr(0, 1), "3");
}

TEST(CommandPanel, KeypadCodesWithoutShiftTypeNothingByThemselves) {
    Panel p;
    p.compose("①×");
    for (int code = 96; code <= 105; ++code)
        EXPECT_EQ(p.keyDown(code), CommandPanel::KeyAction::None) << code;
    EXPECT_EQ(p.message(), "①×");
}

TEST(CommandPanel, CorrectionCancelsACommandInProgress) {
    const char* commands[] = {"①", "①＋", "①＋②", "①×3", "①×-", "①整理"};
    for (const char* entries : commands) {
        Panel p;
        p.compose(entries);
        p.correct();
        SCOPED_TRACE(entries);
        EXPECT_EQ(p.command.composeStep, ComposeStep::Nothing);
        EXPECT_EQ(p.command.lastEntry, NothingEntered);
        EXPECT_EQ(p.command.firstEquation, 0);
        EXPECT_EQ(p.command.secondEquation, 0);
        EXPECT_EQ(p.command.operation, std::nullopt);
        EXPECT_EQ(p.message(), "");
        EXPECT_EQ(p.operand(), "");
        EXPECT_EQ(p.command.pnlNumber, "");
        EXPECT_FALSE(p.panelView.executeOn);
        EXPECT_FALSE(p.panelView.numberPadOn);
        EXPECT_EQ(p.panelView.enabledButtons, (std::set<int>{1, 2}));
        EXPECT_EQ(p.page.highlightedEquation, -1);
        EXPECT_EQ(p.page.hoverFrozen, 0);
        EXPECT_TRUE(p.frameAgrees());
        EXPECT_EQ(p.algebra.equationCount, 2);
        EXPECT_EQ(p.equation(1), "2x 1y = 7");
    }
}

TEST(CommandPanel, CorrectionTakesBackStepsDownToTheProblem) {
    Panel p;
    for (const char* command : {"①＋②", "③÷3", "④代入②"})
        ASSERT_TRUE(p.run(command).empty()) << command;
    ASSERT_EQ(p.algebra.equationCount, 5);
    ASSERT_TRUE(p.answers.answer1);

    p.correct(); // ⑤ goes; x stays found
    EXPECT_EQ(p.algebra.equationCount, 4);
    EXPECT_EQ(p.algebra.EquationTable[5].count, 0);
    EXPECT_EQ(p.algebra.EquationTable[5].stepText, "");
    EXPECT_TRUE(p.answers.answer1);
    EXPECT_EQ(p.panelView.enabledButtons, (std::set<int>{1, 2, 3, 4}));

    p.pageView.forgetCalls();
    p.correct(); // ④ found x: the answer goes with it
    EXPECT_EQ(p.algebra.equationCount, 3);
    EXPECT_EQ(p.answers, Answers{});
    EXPECT_EQ(p.pageView.blanked, (std::vector<int>{SolutionSlotX, 4}));
    EXPECT_EQ(p.panelView.enabledButtons, (std::set<int>{1, 2, 3}));

    p.correct();
    p.correct();
    p.correct();
    EXPECT_EQ(p.algebra.equationCount, 2);
    EXPECT_EQ(p.equation(1), "2x 1y = 7");
    EXPECT_EQ(p.equation(2), "1x -1y = 2");
    EXPECT_EQ(p.panelView.enabledButtons, (std::set<int>{1, 2}));
    EXPECT_TRUE(p.takeShown().empty());

    // The same step can be taken again into the freed slot.
    EXPECT_TRUE(p.run("①＋②").empty());
    EXPECT_EQ(p.equation(3), "3x = 9");
}

TEST(CommandPanel, TakingBackTheSecondUnknownForgetsOnlyIt) {
    PracticeHarness p(PracticeHarness::oneUnit({"x+y=3;x-y=1"}));
    p.start();
    for (const char* command : {"①＋②", "③÷2", "①－②", "⑤÷2"})
        p.run(command);
    ASSERT_EQ(p.equation(6), "1y = 1");
    // Solved at once: 訂正 does nothing then.
    ASSERT_TRUE(isSolved(p.answers));
    p.correct();
    EXPECT_EQ(p.algebra.equationCount, 6);
    EXPECT_TRUE(p.answers.answer2);

    PracticeHarness q(PracticeHarness::oneUnit({"x+y=3;x-y=1"}));
    q.start();
    for (const char* command : {"①－②", "③÷2"})
        q.run(command);
    ASSERT_EQ(q.equation(4), "1y = 1");
    ASSERT_FALSE(q.answers.answer1);
    q.pageView.forgetCalls();
    q.correct();
    EXPECT_EQ(q.answers, Answers{});
    EXPECT_EQ(q.pageView.blanked, (std::vector<int>{SolutionSlotY, 4}));
}

// 訂正 forgets a found unknown with the newest equation only when that
// states it by the judge's rule: a number written with '|' states nothing.
TEST(CommandPanel, CorrectionForgetsAnAnswerOnlyWithTheEquationThatStatesIt) {
    const struct {
        const char* newest;
        bool forgotten;
    } rows[] = {{"x=3", true}, {"x=1|2", false}, {"2x=6", false}, {"y=1", false}};
    for (const auto& row : rows) {
        Panel p;
        for (const char* command : {"①＋②", "③÷3"})
            ASSERT_TRUE(p.run(command).empty()) << command;
        ASSERT_TRUE(parseKeepingBar(p.algebra, p.algebra.EquationTable[5], row.newest)) << row.newest;
        p.algebra.equationCount = 5;
        p.correct();
        EXPECT_EQ(p.algebra.equationCount, 4) << row.newest;
        EXPECT_EQ(p.answers.answer1.has_value(), !row.forgotten) << row.newest;
    }
}

TEST(CommandPanel, CorrectionTakesNoStepBackOnceTheProblemIsSolved) {
    Panel p;
    for (const char* command : {"①＋②", "③÷3", "④代入②", "⑤移項", "⑥整理", "⑦×-1"})
        p.run(command);
    ASSERT_TRUE(isSolved(p.answers));
    p.compose("①×3");
    p.correct();
    p.correct();
    EXPECT_EQ(p.algebra.equationCount, 8);
    EXPECT_EQ(p.message(), "解が出ました");
    EXPECT_EQ(p.command.composeStep, ComposeStep::Nothing);
}

TEST(CommandPanel, AFreshProblemForgetsTheCommandAndTheOperand) {
    Panel p;
    p.compose("①×3");
    p.panel.clearForNewProblem();
    EXPECT_EQ(p.operand(), "");
    EXPECT_EQ(p.command.pnlNumber, "");
    EXPECT_EQ(p.command.operation, std::nullopt);
    EXPECT_EQ(p.command.composeStep, ComposeStep::Nothing);
    EXPECT_FALSE(p.panelView.executeOn);
    EXPECT_FALSE(p.panelView.numberPadOn);
    p.press("5"); // no operation: the pad does nothing
    EXPECT_EQ(p.operand(), "");
}

TEST(CommandPanel, ResetCommandReturnsThePanelToItsStart) {
    Panel p;
    p.compose("①×3");
    p.panel.resetCommand();
    EXPECT_EQ(p.command.composeStep, ComposeStep::Nothing);
    EXPECT_EQ(p.command.lastEntry, NothingEntered);
    EXPECT_FALSE(p.panelView.executeOn);
    EXPECT_FALSE(p.panelView.numberPadOn);
    EXPECT_EQ(p.panelView.focus, Focus::Next);
}

} // namespace
} // namespace tavolini
