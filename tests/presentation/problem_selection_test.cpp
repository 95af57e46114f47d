// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "presentation/problem_selection.h"
#include "support/recording_canvas.h"
#include "support/scripted_dialogs.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tavolini {
namespace {

constexpr int PreviewWidth = 305;
constexpr int PreviewHeight = 50;

// The dialog's controls, remembering what the rules did to them.
class RecordedView final : public SelectionView {
  public:
    RecordedView() {
        for (auto& image : images)
            image = std::make_unique<RecordingCanvas>(PreviewWidth, PreviewHeight);
    }

    Canvas* findPreviewImage(int n) override {
        return n >= 1 && n <= PreviewImageCount ? images[static_cast<std::size_t>(n - 1)].get() : nullptr;
    }
    void setSlotVisible(int p, bool visible) override {
        slotVisible.at(static_cast<std::size_t>(p)) = visible;
    }
    void setBraceMarked(int p, bool marked) override { braceMarked.at(static_cast<std::size_t>(p)) = marked; }
    void setUnitTitles(const std::vector<std::string>& titles) override { listed = titles; }
    void selectOnlyUnitItem(int index) override { selectedItem = index; }
    void focusUnitList() override { listFocused = true; }

    RecordingCanvas& image(int n) { return *images[static_cast<std::size_t>(n - 1)]; }

    // The braces shown green, e.g. "3", or "" when none is.
    std::string markedBraces() const {
        std::string out;
        for (int p = 1; p <= SelectionSlots; ++p)
            if (braceMarked[static_cast<std::size_t>(p)]) out += static_cast<char>('0' + p);
        return out;
    }

    std::string visibleSlots() const {
        std::string out;
        for (int p = 1; p <= SelectionSlots; ++p)
            if (slotVisible[static_cast<std::size_t>(p)]) out += static_cast<char>('0' + p);
        return out;
    }

    std::array<std::unique_ptr<RecordingCanvas>, PreviewImageCount> images;
    std::array<bool, SelectionSlots + 1> slotVisible{};
    std::array<bool, SelectionSlots + 1> braceMarked{};
    std::vector<std::string> listed;
    int selectedItem = -1;
    bool listFocused = false;
};

// A problem set of units with the given numbers of problems; problem p of
// unit u is "px+uy=1;x-y=p".
ProblemSet makeSet(std::initializer_list<int> counts) {
    ProblemSet set;
    int u = 0;
    for (const int count : counts) {
        ++u;
        const auto row = static_cast<std::size_t>(u);
        set.UnitNames[row] = cp932("単元") + std::to_string(u);
        set.ProblemTexts[row][0] = set.UnitNames[row];
        for (int p = 1; p <= count; ++p)
            set.ProblemTexts[row][static_cast<std::size_t>(p)] =
                std::to_string(p) + "x+" + std::to_string(u) + "y=1;x-y=" + std::to_string(p);
        set.problemCounts[row] = count;
    }
    set.unitCount = u;
    return set;
}

struct Dialog {
    explicit Dialog(ProblemSet problems) : set(std::move(problems)) {}

    ProblemSelection selection() { return {set, algebra, layout, state, view}; }
    void show() {
        ProblemSelection s = selection();
        showSelection(s);
    }
    void clickUnit(int index) {
        ProblemSelection s = selection();
        tavolini::clickUnit(s, index);
    }
    void pick(int p) {
        ProblemSelection s = selection();
        pickProblem(s, p);
    }
    void ok() {
        ProblemSelection s = selection();
        acceptSelection(s);
    }
    RenExt preview(int u, int p) {
        ProblemSelection s = selection();
        return previewProblem(s, u, p);
    }

    ProblemSet set;
    ScriptedDialogs dialogs;
    Algebra algebra;
    LayoutState layout;
    SelectionState state;
    RecordedView view;
};

TEST(ProblemSelection, ListsTheUnitTitlesOfTheSet) {
    struct Row {
        const char* name;
        ProblemSet set;
        std::size_t listed;
    };
    ProblemSet gap = makeSet({2, 2, 2, 2});
    gap.UnitNames[3].clear();
    ProblemSet stale = makeSet({2, 2, 2, 2, 2});
    stale.unitCount = 3; // titles of a larger set read before
    const Row rows[] = {
        {"three units", makeSet({1, 2, 3}), 3},
        {"sixteen units", makeSet({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}), 16},
        {"up to the first empty title", gap, 2},
        {"no more than the set's units", stale, 3},
        {"no set read", ProblemSet{}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Dialog dialog(row.set);
        dialog.show();
        ASSERT_EQ(dialog.view.listed.size(), row.listed);
        if (row.listed > 0) {
            EXPECT_EQ(dialog.view.listed.back(), row.set.UnitNames[row.listed]);
        }
        EXPECT_TRUE(dialog.view.listFocused);
    }
}

TEST(ProblemSelection, ShowsOnlyTheSlotsOfTheUnitsProblems) {
    const struct {
        int count;
        const char* visible;
    } rows[] = {{1, "1"}, {3, "123"}, {5, "12345"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.count);
        Dialog dialog(makeSet({row.count}));
        dialog.show();
        EXPECT_EQ(dialog.view.visibleSlots(), row.visible);
        for (int n = 1; n <= PreviewImageCount; ++n) {
            const bool drawn = !dialog.view.image(n).calls().empty();
            EXPECT_EQ(drawn, n <= 2 * row.count) << "Image" << n;
        }
    }
}

TEST(ProblemSelection, HiddenSlotsCannotBePicked) {
    Dialog dialog(makeSet({3, 5}));
    dialog.set.problemNumbers[1] = 2;
    dialog.show();
    dialog.pick(4);
    dialog.pick(0);
    dialog.pick(6);
    EXPECT_EQ(dialog.view.markedBraces(), "2");
    dialog.ok();
    EXPECT_EQ(dialog.set.problemNumbers[1], 2);
}

TEST(ProblemSelection, ShowsThePractisedUnitWithItsProblemMarked) {
    Dialog dialog(makeSet({2, 5, 4}));
    dialog.set.currentUnit = 2;
    dialog.set.problemNumbers[2] = 3;
    dialog.view.braceMarked = {true, true, true, true, true, true}; // left from an earlier showing
    dialog.show();
    EXPECT_EQ(dialog.view.selectedItem, 1);
    EXPECT_EQ(dialog.state.dialogUnit, 2);
    EXPECT_EQ(dialog.view.markedBraces(), "3");
    EXPECT_EQ(dialog.view.visibleSlots(), "12345");
}

TEST(ProblemSelection, SwitchingUnitsMarksTheirCurrentProblemNotAnEarlierPick) {
    Dialog dialog(makeSet({5, 5, 2}));
    dialog.set.problemNumbers[2] = 2;
    dialog.set.problemNumbers[3] = 1;
    dialog.show();
    dialog.clickUnit(1);
    dialog.pick(4);
    EXPECT_EQ(dialog.view.markedBraces(), "4");
    dialog.clickUnit(2);
    EXPECT_EQ(dialog.view.visibleSlots(), "12");
    EXPECT_EQ(dialog.view.markedBraces(), "1");
    dialog.clickUnit(1);
    EXPECT_EQ(dialog.view.markedBraces(), "2");
    EXPECT_EQ(dialog.state.dialogPick[2], 2);
    dialog.ok();
    EXPECT_EQ(dialog.set.currentUnit, 2);
    EXPECT_EQ(dialog.set.problemNumbers[2], 2);
}

TEST(ProblemSelection, OkWithoutTouchingKeepsThePosition) {
    Dialog dialog(makeSet({3, 4}));
    dialog.set.currentUnit = 2;
    dialog.set.problemNumbers[2] = 3;
    dialog.show();
    dialog.ok();
    EXPECT_EQ(dialog.set.currentUnit, 2);
    EXPECT_EQ(dialog.set.problemNumbers[2], 3);
    EXPECT_EQ(dialog.set.problemNumbers[1], 1);
}

TEST(ProblemSelection, CancelAfterBrowsingWritesNothing) {
    Dialog dialog(makeSet({3, 4, 5}));
    dialog.set.currentUnit = 3;
    dialog.set.problemNumbers = {1, 2, 3, 4, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const ProblemSet before = dialog.set;
    dialog.show();
    dialog.clickUnit(0);
    dialog.pick(3);
    dialog.clickUnit(1);
    dialog.pick(1);
    EXPECT_EQ(dialog.set.currentUnit, before.currentUnit);
    EXPECT_EQ(dialog.set.problemNumbers, before.problemNumbers);
}

TEST(ProblemSelection, PositionsOutsideTheTablesFallBackToTheFirst) {
    const struct {
        const char* name;
        int currentUnit;
        int problem;
        int dialogUnit;
        const char* marked;
    } rows[] = {
        {"unit 0", 0, 2, 1, "1"},
        {"unit 17", 17, 2, 1, "1"},
        {"negative unit", -5, 2, 1, "1"},
        {"problem 0", 2, 0, 2, "1"},
        {"problem beyond the unit", 2, 4, 2, "1"},
        {"problem beyond the table", 2, 99, 2, "1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Dialog dialog(makeSet({2, 3}));
        dialog.set.currentUnit = row.currentUnit;
        if (row.currentUnit >= 1 && row.currentUnit <= MaxUnits)
            dialog.set.problemNumbers[static_cast<std::size_t>(row.currentUnit)] = row.problem;
        dialog.show();
        EXPECT_EQ(dialog.state.dialogUnit, row.dialogUnit);
        EXPECT_EQ(dialog.view.markedBraces(), row.marked);
        dialog.ok();
        EXPECT_EQ(dialog.set.problemNumbers[static_cast<std::size_t>(row.dialogUnit)], 1);
    }
}

TEST(ProblemSelection, IgnoresClicksOnItemsThatAreNoUnit) {
    Dialog dialog(makeSet({2, 3}));
    dialog.show();
    for (const int index : {-1, 2, 15, 16, 1000}) {
        dialog.clickUnit(index);
        EXPECT_EQ(dialog.state.dialogUnit, 1) << index;
    }
    const RenExt none = dialog.preview(0, 1);
    EXPECT_EQ(none.firstText, "?");
    dialog.preview(17, 1);
    dialog.preview(1, 6);
    dialog.preview(1, -1);
}

// Problem 1 is drawn with the prefix of the page's equations 1 and 2, four
// cells in; the other problems start at the left edge.
TEST(ProblemSelection, DrawsProblemOneWithTheProblemPrefix) {
    ProblemSet set = makeSet({2});
    set.ProblemTexts[1][1] = "2x+3y=12;x-y=1";
    set.ProblemTexts[1][2] = "2x+3y=12;x-y=1";
    Dialog dialog(set);
    dialog.show();
    const CanvasCall* first = dialog.view.image(1).findText("2");
    const CanvasCall* third = dialog.view.image(3).findText("2");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(first->x1, 42);
    EXPECT_EQ(third->x1, 2);
    EXPECT_EQ(dialog.view.image(2).drawing(),
              "clear fill    @2,12 x@42,12 -@62,12 y@82,12 =@102,12 1@122,12");
    EXPECT_EQ(dialog.view.image(4).drawing(), "clear fill x@2,12 -@22,12 y@42,12 =@62,12 1@82,12");
    EXPECT_EQ(first->font.colour, clBlack);
}

TEST(ProblemSelection, PreviewParsesIntoTheScratchSlotAndAnswersTheProblem) {
    ProblemSet set = makeSet({1});
    set.ProblemTexts[1][1] = "x+y=5;2x-y=1";
    Dialog dialog(set);
    const RenExt problem = dialog.preview(1, 1);
    EXPECT_EQ(problem.firstText, "x+y=5");
    EXPECT_EQ(problem.secondText, "2x-y=1");
    EXPECT_EQ(dialog.algebra.EquationTable[ScratchSlot].count, 4); // 2x -y = 1
    EXPECT_EQ(dialog.algebra.EquationTable[ScratchSlot].tokens[0].num, 2);
}

// A faulty line of a teacher's set must not end the program from here.
TEST(ProblemSelection, AnEquationThatDoesNotParseIsShownAsItsText) {
    ProblemSet set = makeSet({3});
    set.ProblemTexts[1][2] = "2x+3y=;x-y=1";
    set.ProblemTexts[1][3] = "no semicolon";
    Dialog dialog(set);
    dialog.show();
    EXPECT_EQ(dialog.view.image(3).texts(), "2x+3y=");
    EXPECT_EQ(dialog.view.image(4).texts(), "x - y = 1");
    EXPECT_EQ(dialog.view.image(5).texts(), "?");
    EXPECT_EQ(dialog.view.image(6).texts(), "?");
    EXPECT_TRUE(dialog.dialogs.shown.empty());
    EXPECT_EQ(dialog.algebra.EquationTable[ScratchSlot].count, 0);
    EXPECT_EQ(dialog.view.visibleSlots(), "123");
    dialog.pick(3);
    EXPECT_EQ(dialog.view.markedBraces(), "3");
}

// Cancel must leave the problem in progress drawn and judged as before.
TEST(ProblemSelection, PreviewsLeaveTheParserStateOfTheProblemInProgress) {
    ProblemSet set = makeSet({2});
    set.ProblemTexts[1][1] = "a+b=5;a-b=1";
    set.ProblemTexts[1][2] = "0.5p+q=1;p-q=2";
    Dialog dialog(set);
    dialog.algebra.unknown1 = 'x';
    dialog.algebra.unknown2 = '?';
    dialog.algebra.hasDecimalPoint = true;
    dialog.algebra.parseError = ParseError::None;
    dialog.show();
    EXPECT_EQ(dialog.algebra.unknown1, 'x');
    EXPECT_EQ(dialog.algebra.unknown2, '?');
    EXPECT_TRUE(dialog.algebra.hasDecimalPoint);
    // The second problem's decimal is written as a decimal all the same.
    EXPECT_NE(dialog.view.image(3).findText("0.5p"), nullptr);
}

// Drawn as the page draws them: the decimal of one equation makes the
// other's fraction a decimal too.
TEST(ProblemSelection, PreviewsAreInDecimalsWhenEitherEquationIs) {
    ProblemSet set = makeSet({2});
    set.ProblemTexts[1][1] = "x-y=1/2;0.5x+y=1";
    set.ProblemTexts[1][2] = "x-y=1/2;x+y=1";
    Dialog dialog(set);
    dialog.show();
    EXPECT_NE(dialog.view.image(1).texts().find("0.5"), std::string::npos) << dialog.view.image(1).texts();
    EXPECT_EQ(dialog.view.image(3).texts().find("0.5"), std::string::npos) << dialog.view.image(3).texts();
}

// The sheet as designed on a wide mouse screen; on a touch screen its
// buttons large enough for a finger; on a narrow one a single column as wide
// as the screen allows. No control stands over another.
TEST(ProblemSelection, FitsItsSheetToTheScreen) {
    struct Row {
        int screen;
        bool touch;
        int sheetWidth, previewWidth, buttonSize;
    };
    const Row rows[] = {{1024, false, 790, 305, 25},
                        {1024, true, 790, 305, 44},
                        {800, false, 790, 305, 25},
                        {390, true, 370, 290, 44},
                        {360, true, 340, 260, 44}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.screen) + (row.touch ? " touch" : ""));
        const SelectionSheetLayout sheet = selectionSheetLayout(row.screen, row.touch);
        EXPECT_EQ(
            (std::array{sheet.sheet.width, sheet.previews[9].width, sheet.buttons[4].width, sheet.ok.height}),
            (std::array{row.sheetWidth, row.previewWidth, row.buttonSize, std::max(row.buttonSize, 33)}));
        std::vector<PageRect> controls{sheet.label, sheet.unitList, sheet.ok, sheet.cancel};
        controls.insert(controls.end(), sheet.buttons.begin(), sheet.buttons.end());
        controls.insert(controls.end(), sheet.previews.begin(), sheet.previews.end());
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const PageRect& a = controls[i];
            EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.left + a.width <= sheet.sheet.width &&
                        a.top + a.height <= sheet.sheet.height)
                << "control " << i;
            for (std::size_t j = 0; j < i; ++j) {
                const PageRect& b = controls[j];
                EXPECT_TRUE(a.left + a.width <= b.left || b.left + b.width <= a.left ||
                            a.top + a.height <= b.top || b.top + b.height <= a.top)
                    << "controls " << j << " and " << i;
            }
        }
    }
}

} // namespace
} // namespace tavolini
