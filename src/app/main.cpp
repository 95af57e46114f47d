// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Orbiset Tavolini: builds the program's objects, wires them and runs in the
// pupil's practice folder.
#include "core/cp932.h"
#include "core/text_file.h"
#include "editing/qt/edit_ques_dialog.h"
#include "files/practice_folder.h"
#include "files/problem_set.h"
#include "platform/deferred.h"
#include "platform/message_box_dialogs.h"
#include "platform/translations.h"
#include "practice/qt/drill_program.h"
#include "practice/qt/stack_view.h"
#include "practice/qt/help_window.h"
#include "practice/qt/record_viewer.h"
#include "practice/qt/version_dialog.h"
#include "practice/qt/window_drill_dialogs.h"
#include "presentation/qt/print_dialog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    using namespace tavolini;
    QCommandLineParser arguments;
    arguments.setApplicationDescription(
        QStringLiteral("連立方程式の練習 (a drill of simultaneous linear equations)"));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("FILE.sim"),
                                    QStringLiteral("a problem set to open at the start"),
                                    QStringLiteral("[FILE.sim]"));
    const QCommandLineOption selfTest(
        QStringLiteral("self-test"),
        QStringLiteral("start, draw the first problem and end (an installation check)"));
    arguments.addOption(selfTest);
    // Qt's own options (-platform offscreen, -style fusion ...) are taken by
    // QApplication; known here only so that they are not refused before it
    // sees them. Single-dash words are read as the long names Qt gives them.
    arguments.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QString qtOptions;
    for (const QString& word :
         {QStringLiteral("platform NAME"), QStringLiteral("platformpluginpath PATH"),
          QStringLiteral("platformtheme NAME"), QStringLiteral("plugin NAME"),
          QStringLiteral("qmljsdebugger VALUE"), QStringLiteral("qwindowgeometry GEOMETRY"),
          QStringLiteral("qwindowicon FILE"), QStringLiteral("qwindowtitle TITLE"),
          QStringLiteral("session ID"), QStringLiteral("style NAME"), QStringLiteral("stylesheet FILE"),
          QStringLiteral("display DISPLAY"), QStringLiteral("geometry GEOMETRY"), QStringLiteral("reverse"),
          QStringLiteral("widgetcount"), QStringLiteral("nograb"), QStringLiteral("dograb"),
          QStringLiteral("sync")}) {
        const QStringList nameAndValue = word.split(QLatin1Char(' '));
        QCommandLineOption option(nameAndValue.front(), QString(), nameAndValue.value(1));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        arguments.addOption(option);
        qtOptions += QStringLiteral("  -") + word + QLatin1Char('\n');
    }
    // Read before the window system is reached, so that --help, --version and
    // a mistyped option are answered without a display.
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    if (!arguments.parse(words)) {
        const QStringList unknown = arguments.unknownOptionNames();
        const QString what = unknown.isEmpty() ? arguments.errorText()
                                               : QStringLiteral("unknown option ") +
                                                     (unknown.front().size() == 1 ? QStringLiteral("-")
                                                                                  : QStringLiteral("--")) +
                                                     unknown.front();
        std::fprintf(stderr, "tavolini: %s\nTry 'tavolini --help' for more information.\n",
                     what.toLocal8Bit().constData());
        return 1;
    }
    if (arguments.isSet(QStringLiteral("version"))) {
        std::printf("Orbiset Tavolini %s\n", TAVOLINI_VERSION);
        return 0;
    }
    if (arguments.isSet(QStringLiteral("help")) || arguments.isSet(QStringLiteral("help-all"))) {
        QString help =
            arguments.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tavolini"));
        if (arguments.isSet(QStringLiteral("help-all")))
            help += QStringLiteral("\nQt's options, taken by the window system:\n") + qtOptions;
        std::fputs(help.toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orbiset Tavolini"));
    QApplication::setApplicationVersion(QStringLiteral(TAVOLINI_VERSION));
    QApplication::setWindowIcon(programIcon());
    // Every text of ours is Japanese: so are Qt's own dialogs, whatever the locale.
    installJapaneseTranslations(application);
    // A set named on the command line is found from the folder it was named in.
    std::optional<std::string> named;
    if (!arguments.positionalArguments().isEmpty())
        named = absolutePath(QFile::encodeName(arguments.positionalArguments().front()).toStdString());

    MessageBoxDialogs dialogs(QStringLiteral("Orbiset Tavolini"));
    // The practice folder, made and given the shipped set on the first start.
    // Without it the program does not start: the folder it was started in may
    // hold anything.
    const std::optional<std::string> folder = practiceFolder(std::getenv("TAVOLINI_HOME"), std::getenv("HOME"));
    if (!folder) {
        dialogs.showMessage(cp932("練習フォルダが決まりません（HOMEもTAVOLINI_HOMEもありません）"));
        return 1;
    }
    const std::string shipped = QFile::encodeName(QDir::cleanPath(QApplication::applicationDirPath() +
                                                                  QStringLiteral("/../share/tavolini/ZUdir.sim")))
                                    .toStdString();
    const std::string seedFailure = seedFailureMessage(seedPracticeFolder(*folder, shipped), *folder, shipped);
    if (!seedFailure.empty()) {
        dialogs.showMessage(seedFailure);
        return 1;
    }
    if (!QDir::setCurrent(QFile::decodeName(QByteArray::fromStdString(*folder)))) {
        dialogs.showMessage(*folder + cp932(":練習フォルダに入れません"));
        return 1;
    }
    removeStaleTemporaries(".");

    WindowDrillDialogs drillDialogs;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    DrillProgram program(dialogs, drillDialogs, screen);
    dialogs.setParentWindow(&program.window);
    drillDialogs.attach(program);

    Deferred<HelpWindow> help([&] { return std::make_unique<HelpWindow>(&program.window); });
    Deferred<TfrmVersion> about([&] { return std::make_unique<TfrmVersion>(&program.window); });
    DeferredEditor editor([&] { return std::make_unique<TfrmEditQues>(program.problems, dialogs, &program.window); });
    program.window.setProblemEditor(&editor);
    Deferred<TfrmKiroku> records([&] {
        return std::make_unique<TfrmKiroku>(program.problems, program.records, dialogs, &program.window);
    });
    Deferred<TfrmDump> stack(
        [&] { return std::make_unique<TfrmDump>(program.algebra, program.page, &program.window); });
    Deferred<TfrmPrintS> print([&] {
        return std::make_unique<TfrmPrintS>(program.window.page(), program.problems, program.algebra, dialogs,
                                            screen.width(), &program.window);
    });
    program.window.setHelpActions({[&help] { help->showContents(); }, [&help] { help->showOnePoint(); },
                                   [&about] { about->showAbout(); }});
    program.window.setLookBackActions(
        {[&records] { records->showRecords(); }, [&stack] { stack->showStack(); }});
    program.window.setPrintAction([&print] { print->showPrint(); });

    program.window.show();
    if (!program.window.startPractice(std::string(DefaultProblemSet))) return 1;
    if (named) program.window.openAtStart(*named);
    if (arguments.isSet(selfTest)) {
        const bool drawn = program.algebra.equationCount == 2 && program.algebra.EquationTable[1].count > 0;
        std::printf("%s\n", drawn ? "first problem drawn" : "no problem drawn");
        return drawn ? 0 : 1;
    }
    return QApplication::exec();
}
