// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// tavolini-drive: runs a scenario against the real main window, in the
// current folder, with every message box and dialog answered by the script.
// A test tool; it is not installed for users.
//
// A scenario is one command a line ("#" starts a comment; "width N" may come
// first): click NAME, rclick NAME, key K (a character, Enter, Escape,
// Delete, F1, F2), menu NAME, reply TEXT (queues an answer: Yes/No/Cancel/OK for a
// question, a path or Cancel for a file dialog, "U P" or Cancel for 単元変更,
// 8/3/2 for 特殊な解, and the editor's actions "text FILE", "check", "OK",
// "Cancel" while it is open; for the record viewer "delete" and "close", and in
// its deletion dialog "erase N" and "close"; for the print dialog "margin N",
// "size N", "start", "all", "close"), dump, state, file NAME,
// clock YYYY-MM-DD HH:MM, close.
#include "core/cp932.h"
#include "desktop/dialogs/edit_ques_dialog.h"
#include "desktop/dialogs/print_dialog.h"
#include "desktop/platform/deferred.h"
#include "desktop/program/drill_program.h"
#include "desktop/windows/page_window.h"
#include "desktop/windows/record_viewer.h"
#include "desktop/windows/stack_view.h"
#include "driver_dialogs.h"
#include "driver_editor.h"
#include "driver_look_back.h"
#include "driver_print.h"
#include "practice/drill_report.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace tavolini {
namespace {

QSize screenFor(int width) {
    return {width, width * 3 / 4};
}

QWidget* control(TfrmMain& window, const std::string& name) {
    const QString objectName = QString::fromStdString(name);
    if (auto* widget = window.findChild<QWidget*>(objectName)) return widget;
    failScenario("no control named " + name);
}

void click(TfrmMain& window, const std::string& name, Qt::MouseButton mouseButton) {
    QWidget* widget = control(window, name);
    if (!widget->isVisibleTo(&window) || !widget->isEnabled()) return; // as a pupil's click would
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && mouseButton == Qt::LeftButton)
        button->click();
    else
        QTest::mouseClick(widget, mouseButton);
}

// Where a person's key goes: the focus widget of the active window. A
// dialog the driver closed may leave its hidden widget as the focus widget;
// once it is gone the main window is active again and takes the key.
QWidget* keyTarget(TfrmMain& window) {
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus->isVisible()) return focus;
    focus = window.focusWidget();
    return focus != nullptr && focus->isVisible() ? focus : &window;
}

void key(TfrmMain& window, const std::string& name) {
    QWidget* target = keyTarget(window);
    if (name == "Enter") return QTest::keyClick(target, Qt::Key_Return);
    if (name == "Escape") return QTest::keyClick(target, Qt::Key_Escape);
    if (name == "Delete") return QTest::keyClick(target, Qt::Key_Delete);
    if (name == "F1") return QTest::keyClick(target, Qt::Key_F1);
    if (name == "F2") return QTest::keyClick(target, Qt::Key_F2);
    if (name.size() != 1) failScenario("no key named " + name);
    QTest::keyClick(target, name[0]);
}

void menu(TfrmMain& window, const std::string& name) {
    auto* action = window.findChild<QAction*>(QString::fromStdString(name));
    if (action == nullptr) failScenario("no menu entry named " + name);
    if (action->isEnabled()) action->trigger();
}

void dump(const DrillProgram& program) {
    std::cout << equationTableReport(program.algebra);
}

void state(DrillProgram& program) {
    std::cout << drillStateReport(program.algebra, program.answers, program.window.page().pageMessage());
}

// "clock 2026-03-05 09:07": the time records are dated with from now on.
void setClock(DrillProgram& program, const std::string& argument) {
    LocalTime time;
    if (std::sscanf(argument.c_str(), "%d-%d-%d %d:%d", &time.year, &time.month, &time.day, &time.hour,
                    &time.minute) != 5)
        failScenario("not a time: " + argument);
    program.records.clock = [time] { return time; };
}

// The main window's close box. False when the window closed.
bool closeWindow(TfrmMain& window) {
    window.close();
    QApplication::processEvents();
    if (window.isVisible()) return true;
    std::cout << "closed\n";
    return false;
}

// One command of the scenario; false when the window has closed.
bool run(DrillProgram& program, DriverDialogs& dialogs, const std::string& verb,
         const std::string& argument) {
    if (verb == "close") return closeWindow(program.window);
    if (verb == "click")
        click(program.window, argument, Qt::LeftButton);
    else if (verb == "rclick")
        click(program.window, argument, Qt::RightButton);
    else if (verb == "key")
        key(program.window, argument);
    else if (verb == "menu")
        menu(program.window, argument);
    else if (verb == "reply")
        dialogs.queue(argument);
    else if (verb == "dump")
        dump(program);
    else if (verb == "state")
        state(program);
    else if (verb == "file")
        std::cout << fileReport(argument);
    else if (verb == "clock")
        setClock(program, argument);
    else
        failScenario("unknown command " + verb);
    QApplication::processEvents();
    return true;
}

std::vector<std::string> scriptLines(std::istream& input) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(input, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        lines.push_back(line);
    }
    return lines;
}

int drive(std::istream& input) {
    std::vector<std::string> lines = scriptLines(input);
    int width = 800;
    if (!lines.empty() && lines.front().rfind("width ", 0) == 0) {
        width = std::atoi(lines.front().c_str() + 6);
        if (width < 320 || width > 4096) failScenario("width out of range: " + lines.front());
        lines.erase(lines.begin());
    }
    DriverDialogs dialogs;
    DrillProgram program(dialogs, dialogs, screenFor(width));
    dialogs.setProblemSet(&program.problems);
    Deferred<TfrmEditQues> editorDialog(
        [&] { return std::make_unique<TfrmEditQues>(program.problems, dialogs, &program.window); });
    DriverEditor editor(editorDialog, dialogs);
    program.window.session().setEditor(&editor);
    Deferred<TfrmKiroku> records([&] {
        return std::make_unique<TfrmKiroku>(program.problems, program.records, dialogs, &program.window);
    });
    Deferred<TfrmDump> stack(
        [&] { return std::make_unique<TfrmDump>(program.algebra, program.page, &program.window); });
    Deferred<TfrmPrintS> print([&] {
        return std::make_unique<TfrmPrintS>(program.window.page(), program.problems, program.algebra, dialogs,
                                            width, &program.window);
    });
    program.window.setOpener(FrontEndWindow::Records, [&] { driveRecordViewer(*records, dialogs); });
    program.window.setOpener(FrontEndWindow::Stack, [&] { printStackView(*stack); });
    program.window.setOpener(FrontEndWindow::Print, [&] { drivePrintDialog(*print, dialogs); });
    program.window.show();
    program.window.activateWindow();
    QApplication::processEvents();
    if (!program.window.session().start(std::string(DefaultProblemSet))) return 0; // the program has ended
    for (const std::string& line : lines) {
        const std::size_t space = line.find(' ');
        const std::string verb = line.substr(0, space);
        const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
        if (verb == "width") failScenario("width belongs on the first line");
        if (!run(program, dialogs, verb, argument)) break;
    }
    return 0;
}

} // namespace
} // namespace tavolini

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc > 1) {
        std::ifstream script(argv[1]);
        if (!script) tavolini::failScenario(std::string("cannot read ") + argv[1]);
        return tavolini::drive(script);
    }
    return tavolini::drive(std::cin);
}
