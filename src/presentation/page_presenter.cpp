// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/page_presenter.h"

#include "core/cp932.h"
#include "core/equation_labels.h"

#include <algorithm>
#include <cstddef>

namespace tavolini {
namespace {

// Outlines and marks come and go with the mouse; a row keeps no more than this.
constexpr std::size_t MaxRowActions = 16;

bool inTable(int n) {
    return n >= 0 && n < EquationSlots;
}

// Slot n as its row shows it: the label, the step sentence, the equation.
std::string rowSentence(const Algebra& algebra, int n) {
    const MShiki& equation = algebra.EquationTable[static_cast<std::size_t>(n)];
    std::string text =
        n < EquationLabelCount ? EquationLabels()[static_cast<std::size_t>(n)] + cp932("　") : "";
    if (!equation.stepText.empty()) text += equation.stepText + cp932("　");
    return text + equationText(algebra, equation);
}

} // namespace

PagePresenter::PagePresenter(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state,
                             PageEvents& events, int screenWidth, int mainPanelWidth)
    : m_algebra(algebra), m_dialogs(dialogs), m_layout(layout), m_state(state), m_events(events) {
    setPageGeometry(m_state, screenWidth, mainPanelWidth);
}

void PagePresenter::showEquation(int n, Colour colour) {
    restartRow(n, RowAction{RowAction::Kind::Equation, colour});
    drawRow(n, colour, tavolini::showEquation);
}

void PagePresenter::showStep(int n, Colour colour) {
    restartRow(n, RowAction{RowAction::Kind::Step, colour});
    drawRow(n, colour, tavolini::showStep);
}

void PagePresenter::drawRow(int n, Colour colour, void (*draw)(PageRows&, Canvas*, int, Colour)) {
    Messages messages;
    PageRows rows{m_algebra, m_layout, m_rows, messages};
    draw(rows, rowCanvas(n), n, colour);
    showMessages(m_dialogs, messages);
    bringRowIntoView(n);
    if (rowCanvas(n) == nullptr || n < 0 || n >= EquationSlots) return;
    const std::string text = rowSentence(m_algebra, n);
    announce(text);
    newRowText(n, text, n < EquationLabelCount);
}

PagePresenter::RowText* PagePresenter::rowText(int n) {
    return n >= 0 && n < EquationSlots && rowCanvas(n) != nullptr ? &m_rowTexts[static_cast<std::size_t>(n)]
                                                                  : nullptr;
}

// A fresh picture: nothing written below, no outline.
void PagePresenter::newRowText(int n, std::string drawn, bool choosable) {
    if (RowText* row = rowText(n)) *row = {std::move(drawn), {}, choosable, false};
    tellRow(n);
}

void PagePresenter::tellRow(int n) {
    const RowText* row = rowText(n);
    if (row == nullptr) return;
    std::string text = row->drawn + row->written;
    if (row->outlined) text += cp932("（選択中）");
    describeRow(n, text, row->choosable && !row->drawn.empty());
}

void PagePresenter::restartRow(int n, std::optional<RowAction> first) {
    if (!inTable(n)) return;
    std::vector<RowAction>& actions = m_rowActions[static_cast<std::size_t>(n)];
    actions.clear();
    if (first) actions.push_back(std::move(*first));
}

void PagePresenter::noteAction(int n, RowAction next) {
    if (!inTable(n)) return;
    std::vector<RowAction>& actions = m_rowActions[static_cast<std::size_t>(n)];
    const auto isKind = [&](const RowAction& done) { return done.kind == next.kind; };
    // A second outline takes the first away; a second mark adds nothing.
    if (next.kind == RowAction::Kind::Outline && !actions.empty() && isKind(actions.back())) {
        actions.pop_back();
        return;
    }
    if (next.kind == RowAction::Kind::Mark && std::any_of(actions.begin(), actions.end(), isKind)) return;
    if (actions.size() < MaxRowActions) actions.push_back(std::move(next));
}

void PagePresenter::noteOutlineMove(int from, int to) {
    if (from == to) return;
    noteAction(from, RowAction{RowAction::Kind::Outline});
    noteAction(to, RowAction{RowAction::Kind::Outline});
}

std::optional<RowDrawing> PagePresenter::rowDrawing(int n) const {
    if (!inTable(n)) return std::nullopt;
    const std::vector<RowAction>& actions = m_rowActions[static_cast<std::size_t>(n)];
    if (actions.empty()) return std::nullopt;
    const RowAction& first = actions.front();
    if (first.kind != RowAction::Kind::Equation && first.kind != RowAction::Kind::Step) return std::nullopt;
    return RowDrawing{first.kind == RowAction::Kind::Step, first.colour};
}

StepPrintout PagePresenter::stepPrintout(std::string title, int screenWidth) const {
    const auto row = [this](int n, std::optional<PageRect> image) -> std::optional<PrintRow> {
        const std::optional<RowDrawing> drawing = rowDrawing(n);
        if (!image || !drawing || !hasRowImage(n)) return std::nullopt;
        return PrintRow{n, drawing->step, drawing->colour, image->width, image->height};
    };
    StepPrintout printout;
    printout.title = std::move(title);
    printout.screenWidth = screenWidth;
    for (int n = 1; n <= std::min(m_algebra.equationCount, LargestRowNumber); ++n)
        if (const std::optional<PrintRow> drawn = row(n, rowImageRect(m_state, n)))
            printout.rows.push_back(*drawn);
    printout.answerBoxShown = m_answerBoxAt.has_value();
    printout.answerX = row(SolutionSlotX, answerRowRect(m_state, SolutionSlotX));
    printout.answerY = row(SolutionSlotY, answerRowRect(m_state, SolutionSlotY));
    return printout;
}

void PagePresenter::blankRow(int n) {
    if (Canvas* row = rowCanvas(n)) row->clear();
    restartRow(n, std::nullopt);
    newRowText(n, {}, false);
}

void PagePresenter::writeRowText(int n, int r, std::string_view text, Colour colour) {
    tavolini::writeRowText(m_rows, n, r, text, colour);
    if (rowCanvas(n) != nullptr)
        noteAction(n, RowAction{RowAction::Kind::Text, colour, r, std::string(text)});
    bringRowIntoView(n);
    // A line of stars frames a text; it says nothing.
    RowText* row = rowText(n);
    if (row == nullptr || r < 1 || text.find_first_not_of('*') == std::string_view::npos) return;
    row->written += (row->drawn.empty() && row->written.empty() ? "" : cp932("　")) + std::string(text);
    announce(text);
    tellRow(n);
}

void PagePresenter::toggleRowOutline(int n) {
    Messages messages;
    tavolini::toggleRowOutline(messages, m_rows, n);
    if (n > 0 && rowCanvas(n) != nullptr) noteAction(n, RowAction{RowAction::Kind::Outline});
    showMessages(m_dialogs, messages);
    if (RowText* row = rowText(n); row != nullptr && n > 0) {
        row->outlined = !row->outlined;
        tellRow(n);
    }
}

void PagePresenter::markRow(int n) {
    tavolini::markRow(m_rows, n);
    noteAction(n, RowAction{RowAction::Kind::Mark});
}

void PagePresenter::layOutAgain(const std::function<void(PageState&)>& changeGeometry) {
    // The first row of the left column still in view, to keep at the top.
    int topRow = 0;
    for (int n = 1; n <= rowImageCount(m_state) && topRow == 0; ++n) {
        const std::optional<PageRect> row = rowImageRect(m_state, n);
        if (row && row->left == RowLeft && row->top + row->height > scrollTop()) topRow = n;
    }
    const PageState before = m_state;
    changeGeometry(m_state);
    if (m_state.rowWidth == before.rowWidth && m_state.columns == before.columns) return; // nothing moves
    placeRows();
    const LayoutState kept = m_layout; // the drawing leaves its cell width behind
    for (int n = 0; n < EquationSlots; ++n)
        for (const RowAction& action : m_rowActions[static_cast<std::size_t>(n)])
            drawAgain(n, action);
    m_layout = kept;
    for (int n = 0; n < EquationSlots; ++n)
        tellRow(n); // the rows' elements are new
    showAnswerBoxAt(m_answerBoxAfter
                        ? std::optional(answerBoxPosition(m_state, *m_answerBoxAfter, pageWidth()))
                        : std::nullopt);
    const std::optional<PageRect> top = rowImageRect(m_state, topRow);
    scrollTo(top && topRow > ProblemRows ? top->top : 0);
}

void PagePresenter::drawAgain(int n, const RowAction& action) {
    Messages messages; // a row that was drawn before has its image
    PageRows rows{m_algebra, m_layout, m_rows, messages};
    switch (action.kind) {
    case RowAction::Kind::Equation:
        tavolini::showEquation(rows, rowCanvas(n), n, action.colour);
        break;
    case RowAction::Kind::Step:
        tavolini::showStep(rows, rowCanvas(n), n, action.colour);
        break;
    case RowAction::Kind::Text:
        tavolini::writeRowText(m_rows, n, action.textRow, action.text, action.colour);
        break;
    case RowAction::Kind::Outline:
        tavolini::toggleRowOutline(messages, m_rows, n);
        break;
    case RowAction::Kind::Mark:
        tavolini::markRow(m_rows, n);
        break;
    case RowAction::Kind::Message:
        printPageMessage(m_rows, n - 1, action.text);
        break;
    }
}

void PagePresenter::bringRowIntoView(int n) {
    // An answer is seen once its box shows.
    const std::optional<PageRect> row =
        rowCanvas(n) != nullptr ? rowOnSheet(m_state, n, m_answerBoxAt) : std::nullopt;
    if (!row) return;
    const int top = n <= ProblemRows ? 0 : row->top;
    const PageRect shown{row->left, top, row->width, row->top + row->height - top};
    if (const std::optional<int> scroll = scrollToShow(scrollTop(), viewHeight(), shown)) scrollTo(*scroll);
}

void PagePresenter::placeAnswerBox(int n) {
    if (!m_answerBraceDrawn) {
        drawAnswerBrace();
        m_answerBraceDrawn = true;
    }
    m_answerBoxAfter = n;
    showAnswerBoxAt(answerBoxPosition(m_state, n, pageWidth()));
}

void PagePresenter::hideAnswerBox() {
    m_answerBoxAfter.reset();
    showAnswerBoxAt(std::nullopt);
}

// The sheet covers every row and the answer box, when one is placed.
void PagePresenter::showAnswerBoxAt(std::optional<PagePoint> at) {
    m_answerBoxAt = at;
    moveAnswerBox(at);
    const PageRect sheet = sheetRect(m_state, at);
    resizeSheet(sheet.width, sheet.height);
}

void PagePresenter::setPageMessage(std::string_view text) {
    m_pageMessage = text;
    printMessage();
}

void PagePresenter::appendPageMessage(std::string_view text) {
    m_pageMessage += text;
    printMessage();
}

void PagePresenter::printMessage() {
    showMessageText(m_pageMessage);
    if (const int row = printPageMessage(m_rows, m_algebra.equationCount, m_pageMessage)) {
        restartRow(row, RowAction{RowAction::Kind::Message, clBlack, 0, m_pageMessage});
        newRowText(row, m_pageMessage, false);
    }
}

void PagePresenter::rowHovered(int n) {
    Messages messages;
    const int outlined = m_state.highlightedEquation;
    hoverOverRow(m_state, messages, m_rows, m_algebra.equationCount, n, m_events.nextProblemBlinking());
    noteOutlineMove(outlined, m_state.highlightedEquation);
    showMessages(m_dialogs, messages);
}

void PagePresenter::hoverOffRows() {
    Messages messages;
    const int outlined = m_state.highlightedEquation;
    tavolini::hoverOffRows(m_state, messages, m_rows);
    noteOutlineMove(outlined, m_state.highlightedEquation);
    showMessages(m_dialogs, messages);
}

void PagePresenter::rowReleased(int n, bool rightButton) {
    switch (rowClick(n, m_algebra.equationCount, rightButton)) {
    case RowClick::Mark:
        markRow(n);
        break;
    case RowClick::Choose:
        m_events.chooseEquation(n);
        break;
    case RowClick::Nothing:
        break;
    }
}

} // namespace tavolini
