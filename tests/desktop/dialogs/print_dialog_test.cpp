// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/parser.h"
#include "desktop/dialogs/print_dialog.h"
#include "desktop/windows/page_window.h"
#include "files/problem_set.h"
#include "support/parse_quietly.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tavolini {
namespace {

using Shown = std::vector<std::string>;

class NoEvents final : public PageEvents {
  public:
    void chooseEquation(int) override {}
    void pageKey(int, bool, std::string_view) override {}
    bool nextProblemBlinking() const override { return false; }
};

// The page of 2x+y=7;x-y=2 with ③ 3x=9, in unit 2 problem 3, and the dialog.
struct Printing {
    Printing() {
        main.resize(800, 600);
        page = new TfrmPage(algebra, dialogs, layout, state, events,
                            PageSetup{800, 800, PageRect{0, 0, 145, 560}}, &main);
        for (const auto& [n, text] : {std::pair{1, "2x+y=7"}, {2, "x-y=2"}, {3, "3x=9"}}) {
            parseQuietly(algebra, algebra.EquationTable[static_cast<std::size_t>(n)], text);
            if (n <= 2)
                page->showEquation(n, clBlack);
            else
                page->showStep(n, clBlack);
        }
        algebra.equationCount = 3;
        set.currentUnit = 2;
        set.problemNumbers[2] = 3;
        set.startFolder = folder.path() + "/";
        dialog = new TfrmPrintS(*page, set, algebra, dialogs, 800, &main);
        dialog->printIntoPdfOnly();
    }
    template <typename T> T* control(const char* name) {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    Algebra algebra;
    LayoutState layout;
    PageState state;
    NoEvents events;
    ProblemSet set;
    QWidget main;
    TfrmPage* page = nullptr;
    TfrmPrintS* dialog = nullptr;
};

TEST(PrintDialog, ThePreviewFollowsTheMarginAndTheSize) {
    Printing p;
    EXPECT_EQ(p.dialog->size(), QSize(380, 288));
    auto* preview = p.control<QLineEdit>("edtSample");
    struct Row {
        int margin, size;
        const char* text;
        int pixels; // points at 96 dpi
    };
    for (const Row& row : {Row{6, 2, "      ax+by=c", 24}, Row{3, 1, "   ax+by=c", 18},
                           Row{10, 5, "          ax+by=c", 40}, Row{0, 5, "ax+by=c", 40}}) {
        p.control<QSpinBox>("updLMargin")->setValue(row.margin);
        p.control<QSpinBox>("updSize")->setValue(row.size);
        EXPECT_EQ(preview->text(), QString::fromLatin1(row.text));
        EXPECT_EQ(preview->font().pixelSize(), row.pixels);
    }
    p.control<QSpinBox>("updSize")->setValue(9);
    EXPECT_EQ(p.dialog->settings().size, 5);
}

// Each row prints as it was drawn on the page (a step with its sentence, in
// its colour), at the size its control shows: ① and ② 50 pixels high.
TEST(PrintDialog, PrintsTheRowsAsThePageDrewThem) {
    Printing p;
    const StepPrintout printout = p.dialog->stepPrintout();
    EXPECT_EQ(utf8FromCp932(printout.title), "2 (3)次の連立方程式を解きなさい");
    ASSERT_EQ(printout.rows.size(), 3u);
    EXPECT_EQ(printout.rows[0].height, 50);
    EXPECT_FALSE(printout.rows[0].step);
    EXPECT_EQ(printout.rows[2].height, 69);
    EXPECT_TRUE(printout.rows[2].step);
    EXPECT_FALSE(printout.answerBoxShown);
}

// Without a printer the job goes into a PDF named after the problem in the
// practice folder; Cancel prints nothing; a file that cannot be written is
// reported and the cursor comes back.
TEST(PrintDialog, WithoutAPrinterItWritesAPdf) {
    Printing p;
    p.dialogs.files = {std::nullopt, p.folder / "steps.pdf", "/no/such/folder/x.pdf"};
    p.dialog->btnStartClick();
    EXPECT_EQ(p.dialogs.lastPresetPath, p.folder / "2-3.pdf");
    EXPECT_TRUE(std::filesystem::is_empty(p.folder.path()));
    p.dialog->btnStartClick();
    EXPECT_GT(std::filesystem::file_size(p.folder / "steps.pdf"), 1000u);
    EXPECT_EQ(readBytes(p.folder / "steps.pdf").substr(0, 5), "%PDF-");
    EXPECT_FALSE(std::filesystem::exists("temp.bmp"));
    p.dialog->btnPrintAllClick();
    EXPECT_EQ(p.dialogs.shown.back(), "message: /no/such/folder/x.pdf:フォルダがありません");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The PDF is written as a file is saved: a link to nothing makes its target,
// a folder or a pipe at the name is refused at once (the pipe never blocks
// it), and a refused PDF leaves no temporary.
TEST(PrintDialog, APdfReplacesOnlyARegularFile) {
    Printing p;
    std::filesystem::create_symlink("made.pdf", p.folder / "link.pdf");
    std::filesystem::create_directory(p.folder / "folder.pdf");
    ASSERT_EQ(::mkfifo((p.folder / "pipe.pdf").c_str(), 0666), 0);
    const struct {
        const char* name;
        const char* why; // nothing: written
    } rows[] = {
        {"link.pdf", nullptr},
        {"folder.pdf", ":ふつうのファイルではありません"},
        {"pipe.pdf", ":ふつうのファイルではありません"},
    };
    for (const auto& row : rows) {
        const std::string path = p.folder / row.name;
        p.dialogs.shown.clear();
        p.dialogs.files = {path};
        p.dialog->btnStartClick();
        EXPECT_EQ(Shown(p.dialogs.shown.begin() + 1, p.dialogs.shown.end()),
                  row.why ? Shown{"message: " + path + row.why} : Shown{});
    }
    EXPECT_TRUE(std::filesystem::is_symlink(p.folder / "link.pdf"));
    EXPECT_EQ(readBytes(p.folder / "made.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(std::filesystem::is_empty(p.folder / "folder.pdf"));
    EXPECT_EQ(std::filesystem::status(p.folder / "pipe.pdf").type(), std::filesystem::file_type::fifo);
    for (const auto& entry : std::filesystem::directory_iterator(p.folder.path()))
        EXPECT_EQ(entry.path().filename().string().find("tavolini-"), std::string::npos) << entry.path();
}

} // namespace
} // namespace tavolini
