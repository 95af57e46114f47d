// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// One 実行 through the main window, from the click to the new row drawn; the
// editor's エラーチェック of a full set, from the click to the lists filled.
#include "editing/qt/edit_ques_dialog.h"
#include "practice/qt/drill_program.h"
#include "support/full_problem_set.h"
#include "support/silent_dialogs.h"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace tavolini {
namespace {

void click(TfrmMain& window, const char* name) {
    window.findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

void executeStep(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tavolini-window-bench";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "ZUdir.sim", std::ios::binary) << "<<bench\r\n2x+y=7;x-y=2\r\n>>\r\n";
    SilentDialogs dialogs;
    SilentDrillDialogs drillDialogs;
    DrillProgram program(dialogs, drillDialogs, QSize(1024, 768));
    program.window.show();
    program.window.startPractice((folder / "ZUdir.sim").string());
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        click(program.window, "btnShiki1");
        click(program.window, "btnTasu");
        click(program.window, "btnShiki2");
        state.ResumeTiming();
        click(program.window, "btnJikkou"); // executes, judges and draws ③ before it returns
        state.PauseTiming();
        click(program.window, "btnTeisei"); // takes ③ back for the next round
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(executeStep)->Unit(benchmark::kMicrosecond);

void checkFullSetInTheEditor(benchmark::State& state) {
    SilentDialogs dialogs;
    ProblemSet set;
    set.lines = fullProblemSetLines();
    TfrmEditQues editor(set, dialogs);
    editor.prepareShowing();
    editor.show();
    auto* check = editor.findChild<QPushButton*>(QStringLiteral("btnCompile"));
    for (auto _ : state) check->click(); // checks and fills the result fields before it returns
}
BENCHMARK(checkFullSetInTheEditor)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tavolini

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
