// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Orbiset Tavolini: builds the program's objects, wires them and runs.
#include "editing/qt/edit_ques_dialog.h"
#include "platform/deferred.h"
#include "platform/message_box_dialogs.h"
#include "practice/qt/drill_program.h"
#include "practice/qt/dump_dialog.h"
#include "practice/qt/help_window.h"
#include "practice/qt/kiroku_dialog.h"
#include "practice/qt/version_dialog.h"
#include "practice/qt/window_drill_dialogs.h"
#include "presentation/qt/print_dialog.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv) {
    using namespace tavolini;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orbiset Tavolini"));
    QApplication::setWindowIcon(programIcon());

    MessageBoxDialogs dialogs(QStringLiteral("Orbiset Tavolini"));
    WindowDrillDialogs drillDialogs;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    DrillProgram program(dialogs, drillDialogs, screen);
    dialogs.setParentWindow(&program.window);
    drillDialogs.attach(program);

    Deferred<HelpWindow> help([&] { return std::make_unique<HelpWindow>(&program.window); });
    Deferred<TfrmVersion> about([&] { return std::make_unique<TfrmVersion>(&program.window); });
    TfrmEditQues editor(program.problems, dialogs, &program.window);
    program.window.setProblemEditor(&editor);
    Deferred<TfrmKiroku> records(
        [&] { return std::make_unique<TfrmKiroku>(program.problems, program.records, dialogs, &program.window); });
    Deferred<TfrmDump> stack([&] { return std::make_unique<TfrmDump>(program.algebra, program.page, &program.window); });
    Deferred<TfrmPrintS> print([&] {
        return std::make_unique<TfrmPrintS>(program.window.page(), program.problems, program.algebra, dialogs,
                                            screen.width(), &program.window);
    });
    program.window.setHelpActions(
        {[&help] { help->showContents(); }, [&help] { help->showOnePoint(); }, [&about] { about->showAbout(); }});
    program.window.setLookBackActions({[&records] { records->showRecords(); }, [&stack] { stack->showStack(); }});
    program.window.setPrintAction([&print] { print->showPrint(); });

    program.window.show();
    if (!program.window.startPractice(std::string(DefaultProblemSet))) return 1;
    return QApplication::exec();
}
