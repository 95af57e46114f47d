// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/page_presenter.h"

#include "core/cp932.h"
#include "core/equation_labels.h"

#include <cstddef>

namespace tavolini {
namespace {

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
    drawRow(n, colour, tavolini::showEquation);
    noteDrawing(n, RowDrawing{false, colour});
}

void PagePresenter::showStep(int n, Colour colour) {
    drawRow(n, colour, tavolini::showStep);
    noteDrawing(n, RowDrawing{true, colour});
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

void PagePresenter::noteDrawing(int n, std::optional<RowDrawing> drawing) {
    if (n >= 0 && n < EquationSlots) m_drawnRows[static_cast<std::size_t>(n)] = drawing;
}

std::optional<RowDrawing> PagePresenter::rowDrawing(int n) const {
    return n >= 0 && n < EquationSlots ? m_drawnRows[static_cast<std::size_t>(n)] : std::nullopt;
}

void PagePresenter::blankRow(int n) {
    if (Canvas* row = rowCanvas(n)) row->clear();
    noteDrawing(n, std::nullopt);
    newRowText(n, {}, false);
}

void PagePresenter::writeRowText(int n, int r, std::string_view text, Colour colour) {
    tavolini::writeRowText(m_rows, n, r, text, colour);
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
    showMessages(m_dialogs, messages);
    if (RowText* row = rowText(n); row != nullptr && n > 0) {
        row->outlined = !row->outlined;
        tellRow(n);
    }
}

void PagePresenter::markRow(int n) {
    tavolini::markRow(m_rows, n);
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
    showAnswerBoxAt(answerBoxPosition(m_state, n, pageWidth()));
}

void PagePresenter::hideAnswerBox() {
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
    if (const int row = printPageMessage(m_rows, m_algebra.equationCount, m_pageMessage))
        newRowText(row, m_pageMessage, false);
}

void PagePresenter::rowHovered(int n) {
    Messages messages;
    hoverOverRow(m_state, messages, m_rows, m_algebra.equationCount, n, m_events.nextProblemBlinking());
    showMessages(m_dialogs, messages);
}

void PagePresenter::hoverOffRows() {
    Messages messages;
    tavolini::hoverOffRows(m_state, messages, m_rows);
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
