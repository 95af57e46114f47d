// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/program/command_line.h"

#include "files/problem_set.h"

#include <QCommandLineParser>
#include <QFile>
#include <cstdio>

namespace tavolini {
namespace {

// The command line has been answered: the program ends with the status.
CommandLine answeredWith(int status) {
    CommandLine line;
    line.answered = status;
    return line;
}

} // namespace

CommandLine readCommandLine(int argc, char** argv) {
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
        return answeredWith(1);
    }
    if (arguments.isSet(QStringLiteral("version"))) {
        std::printf("Orbiset Tavolini %s\n", TAVOLINI_VERSION);
        return answeredWith(0);
    }
    if (arguments.isSet(QStringLiteral("help")) || arguments.isSet(QStringLiteral("help-all"))) {
        QString help =
            arguments.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tavolini"));
        if (arguments.isSet(QStringLiteral("help-all")))
            help += QStringLiteral("\nQt's options, taken by the window system:\n") + qtOptions;
        std::fputs(help.toLocal8Bit().constData(), stdout);
        return answeredWith(0);
    }

    if (arguments.positionalArguments().size() > 1) {
        std::fputs("tavolini: one problem set at a time\n", stderr);
        return answeredWith(2);
    }
    CommandLine line;
    line.selfTest = arguments.isSet(selfTest);
    if (!arguments.positionalArguments().isEmpty())
        line.named = absolutePath(QFile::encodeName(arguments.positionalArguments().front()).toStdString());
    return line;
}

} // namespace tavolini
