// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// One 実行 through the main window, from the click to the new row drawn; the
// editor's エラーチェック of a full set, from the click to the lists filled;
// the typical road printed into a PDF file.
#include "desktop/dialogs/edit_ques_dialog.h"
#include "desktop/dialogs/print_dialog.h"
#include "desktop/program/drill_program.h"
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
    program.window.session().start((folder / "ZUdir.sim").string());
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
    for (auto _ : state)
        check->click(); // checks and fills the result fields before it returns
}
BENCHMARK(checkFullSetInTheEditor)->Unit(benchmark::kMicrosecond);

// Every file dialog answers with one path.
class PathDialogs final : public Dialogs {
  public:
    explicit PathDialogs(std::string path) : m_path(std::move(path)) {}
    void showMessage(std::string_view) override {}
    Reply ask(std::string_view, std::string_view, Buttons) override { return Reply::No; }
    std::optional<std::string> chooseOpenFile(std::string_view, std::string_view) override { return m_path; }
    std::optional<std::string> chooseSaveFile(std::string_view, std::string_view) override { return m_path; }

  private:
    std::string m_path;
};

void printTypicalRoadIntoPdf(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tavolini-print-bench";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "ZUdir.sim", std::ios::binary) << "<<bench\r\n2x+y=7;x-y=2\r\n>>\r\n";
    PathDialogs dialogs((folder / "road.pdf").string());
    SilentDrillDialogs drillDialogs;
    DrillProgram program(dialogs, drillDialogs, QSize(1024, 768));
    program.window.show();
    program.window.session().start((folder / "ZUdir.sim").string());
    for (const char* name : {"btnShiki1", "btnTasu",   "btnShiki2", "btnJikkou", "btnShiki3", "btnWaru",
                             "btn3",      "btnJikkou", "btnShiki4", "btnDainyu", "btnShiki2", "btnJikkou",
                             "btnShiki5", "btnIkou",   "btnJikkou", "btnShiki6", "btnSeiri",  "btnJikkou",
                             "btnShiki7", "btnKake",   "btnMinus",  "btn1",      "btnJikkou"})
        click(program.window, name);
    if (program.algebra.equationCount != 8) state.SkipWithError("the typical road did not run to its end");
    TfrmPrintS print(program.window.page(), program.problems, program.algebra, dialogs, 1024);
    print.printIntoPdfOnly();
    for (auto _ : state)
        print.btnStartClick(); // the whole job: the PDF is written when it returns
    std::filesystem::remove_all(folder);
}
BENCHMARK(printTypicalRoadIntoPdf)->Unit(benchmark::kMillisecond);

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
