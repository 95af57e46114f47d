// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
//
// Draws two pages as the pupil would see them on a 1024-pixel screen and
// saves them as PNG files: the worked road of 2x+y=7; x-y=2 with its answer
// box, and a page of stacked fractions, bar groups, decimals and a compact
// row. Usage: tavolini_render_page [output folder]

#include "core/cp932.h"
#include "core/parser.h"
#include "desktop/platform/message_box_dialogs.h"
#include "desktop/windows/page_window.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace tavolini {
namespace {

class NoPanel final : public PageEvents {
  public:
    void chooseEquation(int) override {}
    void pageKey(int, bool, std::string_view) override {}
    bool nextProblemBlinking() const override { return false; }
};

struct Step {
    int n;
    const char* text;
    const char* sentence;
    Colour colour;
};

class Sheet {
  public:
    Sheet() : m_dialogs(QStringLiteral("Orbiset Tavolini")) {
        m_main.resize(1024, 740);
        m_page = new TfrmPage(m_algebra, m_dialogs, m_layout, m_state, m_events, PageSetup{}, &m_main);
    }

    bool put(const Step& step) {
        MShiki& slot = m_algebra.EquationTable[static_cast<std::size_t>(step.n)];
        Messages messages; // a sample's texts are known to read
        if (!parseEquation(m_algebra, slot, step.text, messages)) {
            std::fprintf(stderr, "cannot parse %s\n", step.text);
            return false;
        }
        slot.stepText = cp932(step.sentence);
        if (step.n <= LargestRowNumber) m_algebra.equationCount = std::max(m_algebra.equationCount, step.n);
        return true;
    }

    void show(const Step& step) {
        if (step.n > 2 && step.n <= LargestRowNumber)
            m_page->showStep(step.n, step.colour);
        else
            m_page->showEquation(step.n, step.colour);
    }

    bool putAndShow(const Step& step) {
        if (!put(step)) return false;
        show(step);
        return true;
    }

    Algebra& algebra() { return m_algebra; }
    TfrmPage& page() { return *m_page; }

    bool save(const QString& path) {
        m_main.show();
        const bool saved = m_page->sheet()->grab().save(path);
        std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
        return saved;
    }

  private:
    MessageBoxDialogs m_dialogs;
    Algebra m_algebra;
    LayoutState m_layout;
    PageState m_state;
    NoPanel m_events;
    QWidget m_main;
    TfrmPage* m_page = nullptr;
};

// The typical road: add ① and ②, divide, substitute, transpose, simplify,
// multiply by -1; the answers in the box after ⑧.
bool renderRoad(const QString& path) {
    Sheet sheet;
    const Step steps[] = {
        {1, "2x+y=7", "", clBlack},
        {2, "x-y=2", "", clBlack},
        {3, "3x=9", "①式と②式をたすと", clBlack},
        {4, "x=3", "③式の両辺を3で割ると", clBlue},
        {5, "3-y=2", "④式を②式に代入すると", clBlack},
        {6, "-y=-3+2", "⑤式を移項すると", clBlack},
        {7, "-y=-1", "⑥式を整理すると", clBlack},
        {8, "y=1", "⑦式の両辺を-1倍すると", clBlue},
    };
    for (const Step& step : steps)
        if (!sheet.putAndShow(step)) return false;
    if (!sheet.put({SolutionSlotX, "x=3", "", clBlack}) || !sheet.put({SolutionSlotY, "y=1", "", clBlack}))
        return false;
    sheet.algebra().equationCount = 8;
    sheet.page().placeAnswerBox(8);
    sheet.page().showAnswerBrace();
    sheet.page().showEquation(SolutionSlotX, clBlack);
    sheet.page().showEquation(SolutionSlotY, clBlack);
    sheet.page().setPageMessage(cp932("解が出ました"));
    return sheet.save(path);
}

// Fractions stacked and centred, '|' groups, decimals, a compact row, the
// outline, a mark, a purple verdict and a label of the second sheet.
bool renderFractions(const QString& path) {
    Sheet sheet;
    const Step steps[] = {
        {1, "1/2x+2/3y=5/6", "", clBlack},
        {2, "12/5x-123/7y=1", "", clBlack},
        {3, "1|3(x+1)=y", "かっこの前の分数", clBlack},
        {4, "2|3(x+1)-y=0", "分数をかっこの前に", clBlack},
        {5, "-(x-y)=1/2", "かっこの前のマイナス", clBlack},
        {6, "2x+3y+4x+5y+6x+7y=1234", "①式の両辺を6倍すると", clBlack},
        {7, "0=0", "④式から③式をひくと", clPurple},
        {21, "x=3", "⑳式を整理すると", clBlue},
    };
    for (const Step& step : steps)
        if (!sheet.putAndShow(step)) return false;
    // A decimal problem writes its values as decimals.
    if (!sheet.putAndShow({8, "0.25x+y=1.5", "小数のまま", clBlack})) return false;
    sheet.algebra().equationCount = 21;
    sheet.page().toggleRowOutline(4);
    sheet.page().markRow(5);
    sheet.page().markRow(2);
    return sheet.save(path);
}

} // namespace
} // namespace tavolini

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    const bool road = tavolini::renderRoad(folder.filePath(QStringLiteral("page.png")));
    const bool fractions = tavolini::renderFractions(folder.filePath(QStringLiteral("fractions.png")));
    return road && fractions ? 0 : 1;
}
