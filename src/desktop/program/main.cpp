// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Orbiset Tavolini: reads the command line, enters the pupil's practice
// folder, builds the program's objects and wires them.
#include "desktop/dialogs/edit_ques_dialog.h"
#include "desktop/dialogs/print_dialog.h"
#include "desktop/dialogs/version_dialog.h"
#include "desktop/dialogs/window_drill_dialogs.h"
#include "desktop/platform/deferred.h"
#include "desktop/platform/message_box_dialogs.h"
#include "desktop/platform/translations.h"
#include "desktop/program/command_line.h"
#include "desktop/program/drill_program.h"
#include "desktop/program/open_display.h"
#include "desktop/program/practice_folder_setup.h"
#include "desktop/windows/help_window.h"
#include "desktop/windows/record_viewer.h"
#include "desktop/windows/stack_view.h"
#include "files/problem_set.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    using namespace tavolini;
    const CommandLine commandLine = readCommandLine(argc, argv);
    if (commandLine.answered) return *commandLine.answered;

    const std::unique_ptr<QApplication> application = openDisplay(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orbiset Tavolini"));
    QApplication::setApplicationVersion(QStringLiteral(TAVOLINI_VERSION));
    QApplication::setWindowIcon(programIcon());
    // Every text of ours is Japanese: so are Qt's own dialogs, whatever the locale.
    installJapaneseTranslations(*application);

    MessageBoxDialogs dialogs(QStringLiteral("Orbiset Tavolini"));
    if (!enterPracticeFolder(dialogs)) return 1;

    WindowDrillDialogs drillDialogs;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    DrillProgram program(dialogs, drillDialogs, screen);
    dialogs.setParentWindow(&program.window);
    drillDialogs.attach(program);

    Deferred<HelpWindow> help([&] { return std::make_unique<HelpWindow>(&program.window); });
    Deferred<TfrmVersion> about([&] { return std::make_unique<TfrmVersion>(&program.window); });
    DeferredEditor editor(
        [&] { return std::make_unique<TfrmEditQues>(program.problems, dialogs, &program.window); });
    program.window.session().setEditor(&editor);
    Deferred<TfrmKiroku> records([&] {
        return std::make_unique<TfrmKiroku>(program.problems, program.records, dialogs, &program.window);
    });
    Deferred<TfrmDump> stack(
        [&] { return std::make_unique<TfrmDump>(program.algebra, program.page, &program.window); });
    Deferred<TfrmPrintS> print([&] {
        return std::make_unique<TfrmPrintS>(program.window.page(), program.problems, program.algebra, dialogs,
                                            screen.width(), &program.window);
    });
    program.window.setOpener(FrontEndWindow::HelpContents, [&help] { help->showContents(); });
    program.window.setOpener(FrontEndWindow::OnePoint, [&help] { help->showOnePoint(); });
    program.window.setOpener(FrontEndWindow::About, [&about] { about->showAbout(); });
    program.window.setOpener(FrontEndWindow::Records, [&records] { records->showRecords(); });
    program.window.setOpener(FrontEndWindow::Stack, [&stack] { stack->showStack(); });
    program.window.setOpener(FrontEndWindow::Print, [&print] { print->showPrint(); });

    program.window.show();
    if (!program.window.session().start(std::string(DefaultProblemSet))) return 1;
    if (commandLine.named) program.window.session().openAtStart(*commandLine.named);
    if (commandLine.selfTest) {
        const bool drawn = program.algebra.equationCount == 2 && program.algebra.EquationTable[1].count > 0;
        std::printf("%s\n", drawn ? "first problem drawn" : "no problem drawn");
        return drawn ? 0 : 1;
    }
    return QApplication::exec();
}
