// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/web_window.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "practice/panel_layout.h"
#include "practice/start_up_set.h"
#include "web/key_codes.h"
#include "web/page_script.h"

namespace tavolini::web {
namespace {

std::string equationButton(int n) {
    return "btnShiki" + std::to_string(n);
}

} // namespace

WebWindow::WebWindow(DrillData& state, int screenWidth)
    : m_state(state), m_dialogs(state.problems, state.algebra, state.layout) {
    createPanel();
    m_page =
        std::make_unique<WebPage>(state.algebra, m_dialogs, state.layout, state.page, *this, screenWidth);
    m_commandPanel = std::make_unique<CommandPanel>(state.algebra, m_dialogs, state.command, state.answers,
                                                    state.page, *m_page, *this);
    m_practice = std::make_unique<PracticeFlow>(
        PracticeContext{state.algebra, m_dialogs, state.command, state.answers, state.page, state.problems,
                        state.records, *m_page, *this, *this, m_dialogs, *m_commandPanel});
    m_menu = std::make_unique<ProblemSetMenu>(state.problems, m_dialogs, *m_practice);
}

void WebWindow::createPanel() {
    for (int n = 1; n <= EquationButtons; ++n)
        addElement("pnlMain", "button", equationButton(n), equationButtonRect(n),
                   utf8FromCp932(EquationLabels()[static_cast<std::size_t>(n)]));
    addElement("pnlMain", "div", "grbSousa", OperationGroupRect);
    for (const OperationPlace& place : OperationPlaces) {
        const OperationRow& row = operationRow(place.operation);
        addElement("grbSousa", "button", row.buttonName, place.rect, row.label);
    }
    for (const PanelButton& button :
         {ExecuteButton, CorrectButton, NextButton, ChangeUnitButton, ScrollDownButton, ScrollUpButton})
        addElement("pnlMain", "button", button.name, button.rect, button.caption);
    addElement("pnlMain", "div", "grbNumber", NumberPadRect);
    addElement("grbNumber", "div", "pnlNumber", OperandDisplayRect);
    for (const PadKey& key : PadKeys)
        addElement("grbNumber", "button", key.name, padKeyRect(key), key.caption);
    for (int n = 1; n <= EquationButtons; ++n)
        setEnabled(equationButton(n), false);
    enableExecute(false);
    enableNumberPad(false);
}

bool WebWindow::startPractice(const std::string& path) {
    const StartUp start = tavolini::startPractice(m_state.problems, m_state.records, m_state.algebra,
                                                  m_dialogs, *this, *m_practice, path);
    if (start == StartUp::Ended) return false;
    setProblemSetAvailable(start == StartUp::Practising);
    if (start == StartUp::Practising) moveFocus();
    return true;
}

void WebWindow::click(const std::string& name) {
    if (m_ended || !isEnabled(name)) return; // as a click on a disabled control
    for (int n = 1; n <= EquationButtons; ++n)
        if (name == equationButton(n)) return m_commandPanel->chooseEquation(n);
    for (const OperationRow& row : Operations)
        if (name == row.buttonName) return m_commandPanel->chooseOperation(row.operation);
    for (const PadKey& key : PadKeys)
        if (name == key.name) return pressPadKey(*m_commandPanel, key);
    if (name == ExecuteButton.name) return m_practice->btnJikkouClick();
    if (name == CorrectButton.name) return m_commandPanel->resetPanel();
    if (name == NextButton.name) return m_practice->btnNextClick();
    if (name == ChangeUnitButton.name) return m_practice->changeUnit();
    if (name == ScrollDownButton.name) return m_page->scrollDown();
    if (name == ScrollUpButton.name) return m_page->scrollToTop();
}

void WebWindow::menu(const std::string& name) {
    if (m_ended || !isEnabled(name)) return;
    if (name == "mnuNext") return m_practice->btnNextClick();
    if (name == "mnuChange") return m_practice->changeUnit();
    if (name == "mnuHint") return m_commandPanel->showHint();
    if (name == "mnuOpen") {
        m_menu->open();
        setProblemSetAvailable(m_state.problems.unitCount > 0);
        moveFocus();
    }
}

bool WebWindow::key(const std::string& code, const std::string& text, bool shift) {
    if (m_ended) return false;
    return enterKey(*m_commandPanel, *m_practice, virtualKeyCode(code), shift, cp932(text), true);
}

void WebWindow::setProblemSetAvailable(bool available) {
    for (const char* name : {NextButton.name, "mnuNext", ChangeUnitButton.name, "mnuChange"})
        setEnabled(name, available);
}

void WebWindow::enableEquationButton(int n, bool enabled) {
    if (n >= 1 && n <= EquationButtons) setEnabled(equationButton(n), enabled);
}

void WebWindow::hideEquationButton(int n) {
    if (n >= 1 && n <= EquationButtons) setVisible(equationButton(n), false);
}

void WebWindow::enableExecute(bool enabled) {
    setEnabled(ExecuteButton.name, enabled);
}

bool WebWindow::executeEnabled() const {
    return isEnabled(ExecuteButton.name);
}

void WebWindow::enableNext(bool enabled) {
    setEnabled(NextButton.name, enabled);
    setEnabled("mnuNext", enabled);
}

bool WebWindow::nextEnabled() const {
    return isEnabled(NextButton.name);
}

void WebWindow::enableNumberPad(bool enabled) {
    for (const PadKey& key : PadKeys)
        setEnabled(key.name, enabled);
    element("grbNumber")["classList"].call<void>("toggle", std::string("off"), !enabled);
}

void WebWindow::showOperand(std::string_view text) {
    setText("pnlNumber", utf8FromCp932(text));
}

void WebWindow::moveFocus() {
    if (executeEnabled())
        element(ExecuteButton.name).call<void>("focus");
    else if (nextEnabled())
        element(NextButton.name).call<void>("focus");
}

void WebWindow::startBlink() {
    m_blinking = true;
    element(NextButton.name)["classList"].call<void>("add", std::string("blinking"));
}

void WebWindow::stopBlink() {
    m_blinking = false;
    element(NextButton.name)["classList"].call<void>("remove", std::string("blinking"));
}

void WebWindow::setPageCaption(std::string_view caption) {
    setText("lblPageCaption", utf8FromCp932(caption));
}

void WebWindow::scrollQuarterPage() {
    m_page->scrollQuarterPage();
}

void WebWindow::chooseEquation(int n) {
    m_commandPanel->chooseEquation(n);
}

void WebWindow::pageKey(int keyCode, bool shift, std::string_view text) {
    enterKey(*m_commandPanel, *m_practice, keyCode, shift, text, false);
}

void WebWindow::endProgram() {
    m_ended = true;
    pageScript().call<void>("endProgram");
}

} // namespace tavolini::web
