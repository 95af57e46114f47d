// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "desktop/program/drill_program.h"
#include "desktop/windows/page_window.h"
#include "operations/operation.h"
#include "practice/panel_layout.h"
#include "support/scripted_dialogs.h"
#include "support/silent_dialogs.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace tavolini {
namespace {

// The program in a folder of its own with the shipped problem set, or with
// none, on a screen of the given width.
struct Program {
    explicit Program(int width = 800, bool withProblemSet = true)
        : program(dialogs, drillDialogs, QSize(width, width * 3 / 4)) {
        if (withProblemSet) {
            std::ifstream from(std::string(TAVOLINI_DATA_DIR) + "/ZUdir.sim", std::ios::binary);
            std::ofstream(folder / "ZUdir.sim", std::ios::binary) << from.rdbuf();
        }
        program.window.show();
        program.window.activateWindow();
        QApplication::processEvents();
        started = program.window.session().start(folder / "ZUdir.sim");
        QApplication::processEvents();
    }

    QPushButton* button(const char* name) {
        return program.window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void click(const char* name) {
        button(name)->click();
        QApplication::processEvents();
    }
    void type(const char* keys) {
        for (const char* k = keys; *k != '\0'; ++k)
            QTest::keyClick(QApplication::focusWidget(), *k);
    }
    std::string pageMessage() { return utf8FromCp932(program.window.page().pageMessage()); }

    TempFolder folder;
    ScriptedDialogs dialogs;
    SilentDrillDialogs drillDialogs;
    DrillProgram program;
    bool started = false;
};

TEST(MainWindow, StartsTheFirstProblemWithTheRightControlsEnabled) {
    Program p;
    ASSERT_TRUE(p.started);
    EXPECT_EQ(p.program.window.windowTitle(), QStringLiteral("Orbiset Tavolini"));
    EXPECT_EQ(p.program.window.findChild<QLabel*>(QStringLiteral("lblPageCaption"))->text(),
              QStringLiteral(u"1 (1)次の連立方程式を解きなさい"));
    EXPECT_TRUE(p.button("btnShiki1")->isEnabled());
    EXPECT_TRUE(p.button("btnShiki2")->isEnabled());
    EXPECT_FALSE(p.button("btnShiki3")->isEnabled());
    EXPECT_FALSE(p.button("btnJikkou")->isEnabled());
    EXPECT_FALSE(p.button("btn3")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), p.button("btnNext"));
    EXPECT_EQ(p.program.algebra.equationCount, 2);
}

// Both Enter keys carry a composed command out, whichever widget of the main
// window has the focus.
TEST(MainWindow, EitherEnterKeyExecutesAComposedCommand) {
    struct Row {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool toWindow; // else to the focus widget
    };
    const Row rows[] = {
        {"Return", Qt::Key_Return, Qt::NoModifier, false},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, false},
        {"keypad Enter to the window", Qt::Key_Enter, Qt::KeypadModifier, true},
    };
    for (const Row& row : rows) {
        Program p;
        for (const char* name : {"btnShiki1", "btnKake", "btn3"})
            p.click(name);
        ASSERT_EQ(p.pageMessage(), "①×3");
        QWidget* target = row.toWindow ? &p.program.window : QApplication::focusWidget();
        QTest::keyClick(target, row.key, row.modifiers);
        QApplication::processEvents();
        EXPECT_EQ(p.program.algebra.equationCount, 3) << row.name;
        EXPECT_TRUE(p.button("btnShiki3")->isEnabled()) << row.name;
        EXPECT_FALSE(p.button("btnJikkou")->isEnabled()) << row.name;
    }
}

TEST(MainWindow, TheNumberPadIsTealOnlyWhileANumberMayBeTyped) {
    Program p;
    auto* pad = p.program.window.findChild<QWidget*>(QStringLiteral("grbNumber"));
    EXPECT_FALSE(pad->isEnabled());
    p.click("btnShiki1");
    p.click("btnKake");
    EXPECT_TRUE(pad->isEnabled());
    EXPECT_TRUE(pad->styleSheet().contains(QStringLiteral("#008080")));
    p.click("btn7");
    EXPECT_EQ(p.program.window.findChild<QLabel*>(QStringLiteral("pnlNumber"))->text(), QStringLiteral("7"));
    p.click("btnJikkou");
    EXPECT_FALSE(pad->isEnabled());
    EXPECT_TRUE(pad->styleSheet().contains(QStringLiteral("#a0a0a0")));
}

TEST(MainWindow, TheNextButtonBlinksAfterASolvedProblemUntilTheNextStarts) {
    Program p;
    const char* road[][3] = {{"btnShiki1", "btnTasu", "btnShiki2"},
                             {"btnShiki3", "btnWaru", "btn3"},
                             {"btnShiki4", "btnDainyu", "btnShiki2"}};
    for (const auto& command : road) {
        for (const char* name : command)
            p.click(name);
        p.click("btnJikkou");
    }
    for (const char* name : {"btnShiki5", "btnIkou", "btnJikkou", "btnShiki6", "btnSeiri", "btnJikkou",
                             "btnShiki7", "btnKake", "btnMinus", "btn1", "btnJikkou"})
        p.click(name);
    ASSERT_TRUE(isSolved(p.program.answers));
    EXPECT_TRUE(p.program.window.session().nextProblemBlinking());
    p.program.window.timBlinkTimer();
    const qint64 first = p.button("btnNext")->icon().cacheKey();
    p.program.window.timBlinkTimer();
    EXPECT_NE(p.button("btnNext")->icon().cacheKey(), first);
    EXPECT_EQ(p.dialogs.shown.size(), 0U);

    p.click("btnNext");
    EXPECT_FALSE(p.program.window.session().nextProblemBlinking());
    EXPECT_EQ(p.program.window.findChild<QLabel*>(QStringLiteral("lblPageCaption"))->text(),
              QStringLiteral(u"1 (2)次の連立方程式を解きなさい★"));
}

TEST(MainWindow, ScrollButtonsMoveThePage) {
    Program p;
    QScrollBar* bar = p.program.window.page().verticalScrollBar();
    p.click("BitBtn1");
    EXPECT_EQ(bar->value(), std::min(bar->maximum(), p.program.window.page().height()));
    EXPECT_GT(bar->value(), 0);
    p.click("btnRollUp");
    EXPECT_EQ(bar->value(), 0);
}

TEST(MainWindow, AChosenEquationIsFramedUntilTheMouseMayMoveTheFrame) {
    Program p;
    p.click("btnShiki1");
    EXPECT_EQ(p.program.page.highlightedEquation, 1);
    QTest::mouseMove(p.button("btnTeisei"));
    QApplication::processEvents();
    EXPECT_EQ(p.program.page.highlightedEquation, 1); // frozen after an equation
    p.click("btnTasu");
    QTest::mouseMove(p.button("btnJikkou"));
    QTest::mouseMove(p.button("btnTeisei"));
    QApplication::processEvents();
    EXPECT_EQ(p.program.page.highlightedEquation, -1);
}

TEST(MainWindow, NarrowScreensHideTheButtonsBeyondTheBudget) {
    Program p(640);
    EXPECT_EQ(p.program.page.equationLimit, 12);
    EXPECT_FALSE(p.button("btnShiki11")->isHidden());
    for (const char* name : {"btnShiki12", "btnShiki15", "btnShiki18"})
        EXPECT_TRUE(p.button(name)->isHidden()) << name;
}

TEST(MainWindow, AMissingProblemSetEndsTheProgram) {
    Program p(800, false);
    EXPECT_FALSE(p.started);
    ASSERT_EQ(p.dialogs.shown.size(), 1U);
    EXPECT_NE(p.dialogs.shown[0].find("ZUdir.sim:FileNot Exists0:回復不能なエラーです"), std::string::npos);
    QApplication::processEvents();
    EXPECT_FALSE(p.program.window.isVisible());
}

TEST(MainWindow, EveryPadKeyTypesItsOwnSign) {
    Program p;
    p.click("btnShiki1");
    p.click("btnKake");
    for (const char* name : {"btn1", "btn2", "btn3", "btn4", "btn5", "btn6", "btn7", "btn8", "btn9", "btn0",
                             "btnDecimal", "btnBunsu"})
        p.click(name);
    EXPECT_EQ(p.program.window.findChild<QLabel*>(QStringLiteral("pnlNumber"))->text(),
              QStringLiteral(u"1234567890.分の"));
}

// Key presses as X11 delivers them with a Japanese layout: the sign Shift
// gives a digit key, and the key's place on the keyboard (its keycode).
TEST(MainWindow, ShiftedKeysOfAJapaneseKeyboardTypeOnce) {
    struct Row {
        Qt::Key key;
        quint32 scanCode;
        const char* text;
        const char16_t* operand;
    };
    const Row rows[] = {
        {Qt::Key_ParenLeft, 17, "(", u"8"}, {Qt::Key_ParenRight, 18, ")", u"9"},
        {Qt::Key_QuoteDbl, 11, "\"", u"2"}, {Qt::Key_Apostrophe, 16, "'", u"7"},
        {Qt::Key_Ampersand, 15, "&", u"6"}, {Qt::Key_Asterisk, 48, "*", u""},
        {Qt::Key_B, 56, "B", u"分の"},
    };
    Program p;
    p.click("btnShiki1");
    p.click("btnKake");
    auto* operand = p.program.window.findChild<QLabel*>(QStringLiteral("pnlNumber"));
    for (const Row& row : rows) {
        p.click("btnClear");
        QKeyEvent press(QEvent::KeyPress, row.key, Qt::ShiftModifier, row.scanCode, 0, 0,
                        QString::fromLatin1(row.text));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        EXPECT_EQ(operand->text(), QString::fromUtf16(row.operand)) << row.text;
    }
}

// Every control and menu entry of the tables is there by its name, and is
// on exactly when the session takes a click on it.
TEST(MainWindow, EveryNamedControlShowsTheSessionsAvailability) {
    std::vector<std::string> names;
    for (int n = 1; n <= EquationButtons; ++n)
        names.push_back(equationButtonName(n));
    for (const OperationRow& row : Operations)
        names.emplace_back(row.buttonName);
    for (const PadKey& key : PadKeys)
        names.emplace_back(key.name);
    for (const PanelButton& button : PanelButtons)
        names.emplace_back(button.name);
    Program p;
    for (const char* press : {"", "btnShiki1", "btnKake"}) {
        if (*press) p.click(press);
        for (const std::string& name : names) {
            const QPushButton* button = p.button(name.c_str());
            ASSERT_NE(button, nullptr) << name;
            EXPECT_EQ(button->isEnabled() && button->isVisibleTo(&p.program.window),
                      p.program.window.session().isAvailable(name))
                << press << ": " << name;
        }
        for (const MenuEntry& entry : MenuEntries) {
            const auto* action = p.program.window.findChild<QAction*>(QString::fromLatin1(entry.name));
            ASSERT_NE(action, nullptr) << entry.name;
            EXPECT_EQ(action->isEnabled(), p.program.window.session().isAvailable(entry.name))
                << press << ": " << entry.name;
        }
    }
}

// What only the desktop has opens through the session, by button, menu
// entry or key, from the main window or from the page.
TEST(MainWindow, ClicksMenusAndKeysReachTheSession) {
    const struct Row {
        const char* name; // a button, a menu entry, or F1 / F2 typed on the window or the page
        std::optional<FrontEndWindow> opened;
        const char* message;
    } rows[] = {
        {"btnPrint", FrontEndWindow::Print, ""},          {"mnuPrint", FrontEndWindow::Print, ""},
        {"mnuShowRecord", FrontEndWindow::Records, ""},   {"mnuDump", FrontEndWindow::Stack, ""},
        {"mnuUsage", FrontEndWindow::HelpContents, ""},   {"OnePoint", FrontEndWindow::OnePoint, ""},
        {"mnuVersion", FrontEndWindow::About, ""},        {"mnuHint", {}, "ヒント：①＋②（yが消えます）"},
        {"F1 window", FrontEndWindow::HelpContents, ""},  {"F1 page", FrontEndWindow::HelpContents, ""},
        {"F2 window", {}, "ヒント：①＋②（yが消えます）"}, {"F2 page", {}, "ヒント：①＋②（yが消えます）"},
    };
    for (const Row& row : rows) {
        Program p;
        std::optional<FrontEndWindow> opened;
        for (FrontEndWindow window :
             {FrontEndWindow::HelpContents, FrontEndWindow::OnePoint, FrontEndWindow::About,
              FrontEndWindow::Records, FrontEndWindow::Stack, FrontEndWindow::Print})
            p.program.window.setOpener(window, [&opened, window] { opened = window; });
        const std::string name = row.name;
        if (name.starts_with("F")) {
            QWidget* target = name.ends_with("page") ? static_cast<QWidget*>(&p.program.window.page())
                                                     : QApplication::focusWidget();
            QTest::keyClick(target, name.starts_with("F1") ? Qt::Key_F1 : Qt::Key_F2);
        } else if (auto* action = p.program.window.findChild<QAction*>(QString::fromStdString(name))) {
            action->trigger();
        } else {
            p.click(row.name);
        }
        QApplication::processEvents();
        EXPECT_EQ(opened, row.opened) << name;
        EXPECT_EQ(p.pageMessage(), row.message) << name;
    }
}

} // namespace
} // namespace tavolini
