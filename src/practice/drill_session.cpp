// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/drill_session.h"

#include "operations/operation.h"
#include "practice/panel_layout.h"
#include "practice/start_up_set.h"

namespace tavolini {

const DrillSession::Command DrillSession::Commands[] = {
    {ExecuteButton.name, &DrillSession::execute},
    {CorrectButton.name, &DrillSession::correct},
    {NextButton.name, &DrillSession::next},
    {PrintButton.name, &DrillSession::open<FrontEndWindow::Print>},
    {ChangeUnitButton.name, &DrillSession::changeUnit},
    {ScrollDownButton.name, &DrillSession::scrollDown},
    {ScrollUpButton.name, &DrillSession::scrollToTop},
    {"mnuOpen", &DrillSession::openSet},
    {"mnuSaveAs", &DrillSession::save},
    {"mnuPrint", &DrillSession::open<FrontEndWindow::Print>},
    {"mnuExit", &DrillSession::exit},
    {"mnuEditZudir", &DrillSession::edit},
    {"mnuShowRecord", &DrillSession::open<FrontEndWindow::Records>},
    {"mnuDump", &DrillSession::open<FrontEndWindow::Stack>},
    {"mnuNext", &DrillSession::next},
    {"mnuChange", &DrillSession::changeUnit},
    {"mnuUsage", &DrillSession::open<FrontEndWindow::HelpContents>},
    {"OnePoint", &DrillSession::open<FrontEndWindow::OnePoint>},
    {"mnuHint", &DrillSession::hint},
    {"mnuVersion", &DrillSession::open<FrontEndWindow::About>},
};

DrillSession::DrillSession(DrillData& data, Dialogs& dialogs, DrillDialogs& drillDialogs,
                           DrillFrontEnd& frontEnd, const std::function<PageView&(PageEvents&)>& makePage)
    : m_data(data), m_dialogs(dialogs), m_frontEnd(frontEnd), m_page(makePage(*this)),
      m_panel(data.algebra, dialogs, data.command, data.answers, data.page, m_page, *this),
      m_practice({data.algebra, dialogs, data.command, data.answers, data.page, data.problems, data.records,
                  m_page, *this, *this, drillDialogs, m_panel}),
      m_menu(data.problems, dialogs, m_practice) {
    for (int n = 1; n <= EquationButtons; ++n)
        m_controls[equationButtonName(n)] = {};
    for (const OperationRow& row : Operations)
        m_controls[row.buttonName] = {};
    for (const PadKey& key : PadKeys)
        m_controls[key.name] = {};
    for (const PanelButton& button : PanelButtons)
        m_controls[button.name] = {};
    for (const MenuEntry& entry : MenuEntries)
        m_controls[entry.name] = {};
    m_controls[NumberPadName] = {};
    // Nothing to choose or execute before a problem, nothing to move to before a set.
    for (int n = 1; n <= EquationButtons; ++n)
        enableEquationButton(n, false);
    enableExecute(false);
    enableNumberPad(false);
    setProblemSetAvailable(false);
}

bool DrillSession::start(const std::string& path) {
    const StartUp start =
        startPractice(m_data.problems, m_data.records, m_data.algebra, m_dialogs, *this, m_practice, path);
    if (start == StartUp::Ended) return false;
    setProblemSetAvailable(start == StartUp::Practising);
    if (start == StartUp::Practising) moveFocus();
    return true;
}

void DrillSession::openAtStart(const std::string& path) {
    m_menu.openChosen(path);
    afterMenuFlow();
}

int DrillSession::currentProblem() const {
    return tavolini::currentProblemNumber(m_data.problems);
}

std::string DrillSession::stepLogText() const {
    return tavolini::stepLogText(m_practice.stepLog());
}

bool DrillSession::resume(int unit, int problem, std::string_view stepLogText) {
    const std::optional<StepLog> log = parseStepLog(stepLogText);
    if (m_ended || !log || m_data.problems.unitCount == 0) return false;
    const bool resumed = m_practice.resumeProblem(unit, problem, *log);
    moveFocus();
    return resumed;
}

bool DrillSession::windowClosing() {
    if (!m_menu.mayClose()) return false;
    m_practice.writeHeldRecords();
    return true;
}

bool DrillSession::isAvailable(std::string_view name) const {
    const auto control = m_controls.find(name);
    return control != m_controls.end() && control->second.enabled && control->second.visible;
}

void DrillSession::click(std::string_view name) {
    if (m_ended || !isAvailable(name)) return;
    for (int n = 1; n <= EquationButtons; ++n)
        if (name == equationButtonName(n)) return m_panel.chooseEquation(n);
    for (const OperationRow& row : Operations)
        if (name == row.buttonName) return m_panel.chooseOperation(row.operation);
    for (const PadKey& key : PadKeys)
        if (name == key.name) return pressPadKey(m_panel, key);
    run(name);
}

void DrillSession::menu(std::string_view name) {
    if (m_ended || !isAvailable(name)) return;
    run(name);
}

void DrillSession::run(std::string_view name) {
    for (const Command& command : Commands)
        if (name == command.name) return (this->*command.run)();
}

bool DrillSession::key(int keyCode, bool shift, std::string_view text, KeyPlace where) {
    if (m_ended) return false;
    for (const MenuEntry& entry : MenuEntries) {
        if (keyCode == 0 || entry.key != keyCode) continue;
        menu(entry.name);
        return true;
    }
    switch (m_panel.keyStroke(keyCode, shift, text, where == KeyPlace::Window)) {
    case CommandPanel::KeyAction::Execute:
        execute();
        return true;
    case CommandPanel::KeyAction::Correct:
        correct();
        return true;
    case CommandPanel::KeyAction::Used:
        return true;
    case CommandPanel::KeyAction::None:
        break;
    }
    return false;
}

void DrillSession::openSet() {
    m_menu.open();
    afterMenuFlow();
}

void DrillSession::edit() {
    m_menu.edit();
    afterMenuFlow();
}

void DrillSession::afterMenuFlow() {
    setProblemSetAvailable(m_data.problems.unitCount > 0);
    moveFocus();
}

void DrillSession::setEnabled(const std::string& name, bool enabled) {
    m_controls[name].enabled = enabled;
    m_frontEnd.enableControl(name, enabled);
}

void DrillSession::setProblemSetAvailable(bool available) {
    for (const char* name : {NextButton.name, "mnuNext", ChangeUnitButton.name, "mnuChange"})
        setEnabled(name, available);
}

void DrillSession::enableEquationButton(int n, bool enabled) {
    if (n >= 1 && n <= EquationButtons) setEnabled(equationButtonName(n), enabled);
}

void DrillSession::hideEquationButton(int n) {
    if (n < 1 || n > EquationButtons) return;
    const std::string name = equationButtonName(n);
    m_controls[name].visible = false;
    m_frontEnd.showControl(name, false);
}

void DrillSession::enableExecute(bool enabled) {
    setEnabled(ExecuteButton.name, enabled);
}

bool DrillSession::executeEnabled() const {
    return isAvailable(ExecuteButton.name);
}

void DrillSession::enableNext(bool enabled) {
    setEnabled(NextButton.name, enabled);
    setEnabled("mnuNext", enabled);
}

bool DrillSession::nextEnabled() const {
    return isAvailable(NextButton.name);
}

void DrillSession::enableNumberPad(bool enabled) {
    for (const PadKey& key : PadKeys)
        setEnabled(key.name, enabled);
    setEnabled(NumberPadName, enabled);
}

void DrillSession::showOperand(std::string_view text) {
    m_frontEnd.setControlText(OperandDisplayName, text);
}

void DrillSession::moveFocus() {
    if (executeEnabled())
        m_frontEnd.focusControl(ExecuteButton.name);
    else if (nextEnabled())
        m_frontEnd.focusControl(NextButton.name);
}

void DrillSession::startBlink() {
    m_blinking = true;
    m_frontEnd.blink(true);
}

void DrillSession::stopBlink() {
    m_blinking = false;
    m_frontEnd.blink(false);
}

void DrillSession::setPageCaption(std::string_view caption) {
    m_frontEnd.setControlText(PageCaptionName, caption);
}

void DrillSession::scrollQuarterPage() {
    m_page.scrollQuarterPage();
}

void DrillSession::chooseEquation(int n) {
    m_panel.chooseEquation(n);
}

void DrillSession::pageKey(int keyCode, bool shift, std::string_view text) {
    key(keyCode, shift, text, KeyPlace::Page);
}

void DrillSession::endProgram() {
    m_ended = true;
    m_frontEnd.closeWindow();
}

} // namespace tavolini
