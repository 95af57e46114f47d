// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/command_panel.h"

#include "core/cp932.h"
#include "core/dialogs.h"
#include "core/equation_labels.h"
#include "operations/executor.h"
#include "practice/hint.h"
#include "presentation/virtual_keys.h"

namespace tavolini {

CommandPanel::CommandPanel(Algebra& algebra, Dialogs& dialogs, CommandState& command, Answers& answers,
                           PageState& page, PageView& pageView, PanelView& panel)
    : m_algebra(algebra), m_dialogs(dialogs), m_command(command), m_answers(answers), m_page(page),
      m_pageView(pageView), m_panel(panel) {}

void CommandPanel::showHint() {
    const std::string hint = hintMessage(m_algebra, m_answers, m_page.equationLimit);
    if (m_command.composeStep == ComposeStep::Nothing)
        m_pageView.setPageMessage(hint);
    else
        m_dialogs.showMessage(hint);
}

void CommandPanel::showOrderMessage() {
    m_dialogs.showMessage(orderMessage());
}

// The chosen equation's row is framed, so that the frame and
// `highlightedEquation` always agree (a frame left behind would otherwise be
// drawn back in by the next toggle of the old number).
void CommandPanel::highlight(int n) {
    if (m_page.highlightedEquation == n) return;
    unhighlight();
    m_pageView.toggleRowOutline(n);
    m_page.highlightedEquation = n;
}

void CommandPanel::unhighlight() {
    if (m_page.highlightedEquation == -1) return;
    m_pageView.toggleRowOutline(m_page.highlightedEquation);
    m_page.highlightedEquation = -1;
}

void CommandPanel::chooseEquation(int n) {
    m_typedEquation.reset();
    if (n < 1 || n > m_algebra.equationCount || n >= EquationLabelCount) return;
    if (m_command.lastEntry == EquationEntered || m_command.lastEntry == NumberEntered)
        return showOrderMessage();
    highlight(n);
    if (m_command.lastEntry == NothingEntered) m_pageView.setPageMessage("");
    if (m_command.composeStep == ComposeStep::Nothing) {
        m_command.firstEquation = n;
        m_command.composeStep = ComposeStep::FirstEquation;
        setPanelMode(ComposeStep::FirstEquation);
    } else if (m_command.composeStep == ComposeStep::OperationChosen) {
        m_command.secondEquation = n;
        m_command.composeStep = ComposeStep::SecondEquation;
        setPanelMode(ComposeStep::SecondEquation);
        m_panel.enableExecute(true);
        m_panel.moveFocus();
    }
    m_page.hoverFrozen = 1;
    m_command.lastEntry = EquationEntered;
    m_pageView.appendPageMessage(EquationLabels()[static_cast<std::size_t>(n)]);
}

void CommandPanel::chooseOperation(Operation operation) {
    m_typedEquation.reset();
    if (m_command.composeStep != ComposeStep::FirstEquation) return showOrderMessage();
    m_command.operation = operation;
    m_pageView.appendPageMessage(cp932(operationRow(operation).label));
    m_command.composeStep = ComposeStep::OperationChosen;
    setPanelMode(ComposeStep::OperationChosen);
    m_command.lastEntry = OperationEntered;
    m_panel.enableExecute(true);
    m_page.hoverFrozen = 0;
    m_panel.moveFocus();
}

void CommandPanel::setPanelMode(ComposeStep step) {
    m_panel.enableNumberPad(step == ComposeStep::OperationChosen);
}

void CommandPanel::resetPanel() {
    m_typedEquation.reset();
    // After a solve 訂正 only clears a composed command: the steps stand.
    const bool solved = isSolved(m_answers);
    if (m_page.highlightedEquation != -1) {
        unhighlight();
        m_page.hoverFrozen = 0;
    }
    const bool noCommand = m_command.lastEntry == NothingEntered || m_pageView.pageMessage().empty();
    if (noCommand && !solved) takeBackNewest();
    m_command.pnlNumber.clear();
    m_panel.showOperand("");
    m_pageView.setPageMessage(solved ? solvedMessage(m_answers) : std::string());
    m_command.lastEntry = NothingEntered;
    m_command.composeStep = ComposeStep::Nothing;
    m_command.firstEquation = 0;
    m_command.secondEquation = 0;
    m_command.operation.reset();
    m_operandStart = std::string::npos;
    m_panel.enableNumberPad(false);
    for (int n = 1; n <= m_algebra.equationCount; ++n)
        m_panel.enableEquationButton(n, true);
    m_panel.enableExecute(false);
}

void CommandPanel::takeBackNewest() {
    const int newest = m_algebra.equationCount;
    if (newest <= 2 || newest >= EquationSlots) return;
    MShiki& equation = m_algebra.EquationTable[static_cast<std::size_t>(newest)];
    // Only the step that found an unknown states it: a second one is never kept.
    if (const std::optional<UnknownValue> stated = statedValue(equation)) {
        if (m_answers.answer1 && stated->letter == m_algebra.unknown1) {
            m_answers.answer1.reset();
            m_pageView.blankRow(SolutionSlotX);
        }
        if (m_answers.answer2 && stated->letter == m_algebra.unknown2) {
            m_answers.answer2.reset();
            m_pageView.blankRow(SolutionSlotY);
        }
    }
    m_pageView.setPageMessage("");
    equation = MShiki{};
    m_pageView.blankRow(newest);
    m_panel.enableEquationButton(newest, false);
    --m_algebra.equationCount;
}

void CommandPanel::padInput(std::string_view key) {
    m_typedEquation.reset();
    if (!m_command.operation || !operationRow(*m_command.operation).takesNumber) return;
    if (key == "CL") {
        if (m_operandStart != std::string::npos && m_operandStart <= m_pageView.pageMessage().size())
            m_pageView.setPageMessage(m_pageView.pageMessage().substr(0, m_operandStart));
        m_operandStart = std::string::npos;
        m_command.pnlNumber.clear();
    } else {
        if (m_operandStart == std::string::npos) m_operandStart = m_pageView.pageMessage().size();
        if (key == "-") {
            m_command.pnlNumber.assign(1, '-');
            m_pageView.appendPageMessage("(-"); // the sentence of the finished step writes it anew
        } else {
            m_pageView.appendPageMessage(key);
            m_command.pnlNumber += key;
        }
        // The minus is typed number too: an equation may no longer follow it.
        m_command.lastEntry = NumberEntered;
        m_panel.enableExecute(true);
    }
    m_panel.showOperand(m_command.pnlNumber);
    m_page.hoverFrozen = 1;
    m_panel.moveFocus();
}

void CommandPanel::minusKey() {
    if (!m_command.pnlNumber.empty()) {
        m_dialogs.showMessage(cp932("－の位置が間違っています"));
        return;
    }
    padInput("-");
}

bool CommandPanel::typeEquationNumber(char key) {
    if (key == EquationNumberKey || key == EquationNumberKey - 'A' + 'a') {
        m_typedEquation = 0;
        return true;
    }
    if (!m_typedEquation) return false;
    if (key < '0' || key > '9') {
        chooseTypedEquation();
        return false;
    }
    // Two digits at most: no table holds a hundred equations.
    m_typedEquation = *m_typedEquation * 10 + (key - '0');
    if (*m_typedEquation * 10 > m_algebra.equationCount) chooseTypedEquation();
    return true;
}

bool CommandPanel::endEquationNumber(int keyCode) {
    if (!m_typedEquation) return false;
    if (keyCode == VirtualKey::Enter) chooseTypedEquation();
    if (keyCode == VirtualKey::Escape) m_typedEquation.reset();
    return keyCode == VirtualKey::Enter || keyCode == VirtualKey::Escape;
}

void CommandPanel::chooseTypedEquation() {
    const int n = *m_typedEquation;
    m_typedEquation.reset();
    if (n > 0) chooseEquation(n);
}

bool CommandPanel::keyPress(char key, bool swallowIdle) {
    if (typeEquationNumber(key)) return true;
    if (m_command.composeStep == ComposeStep::Nothing) return swallowIdle;
    if (m_command.composeStep == ComposeStep::FirstEquation) {
        const OperationRow* row = operationForKey(key);
        if (row == nullptr) return false;
        chooseOperation(row->operation);
        return true;
    }
    if (m_command.composeStep != ComposeStep::OperationChosen) return false;
    if (key >= '0' && key <= '9')
        padInput(std::string(1, key));
    else if (key == '.')
        padInput(".");
    else if (key == '-')
        minusKey();
    else if (key == 'B' || key == 'b')
        padInput(cp932("分の"));
    else
        return false;
    return true;
}

CommandPanel::KeyAction CommandPanel::keyDown(int keyCode, bool shift, bool swallowIdle) {
    using namespace VirtualKey;
    if (!shift && endEquationNumber(keyCode)) return KeyAction::Used;
    // On the page Enter executes at any step.
    if (!swallowIdle && !shift && keyCode == Enter) return KeyAction::Execute;
    if (m_command.composeStep == ComposeStep::Nothing) return KeyAction::None;
    if (shift) {
        if (keyCode >= KeypadZero && keyCode <= KeypadNine) keyCode = '0' + (keyCode - KeypadZero);
        const bool used = keyCode > 0 && keyCode < 128 && keyPress(static_cast<char>(keyCode), swallowIdle);
        return used ? KeyAction::Used : KeyAction::None;
    }
    if (keyCode == Enter) return KeyAction::Execute;
    if (keyCode == Escape) return KeyAction::Correct;
    if (keyCode != Delete) return KeyAction::None;
    padInput("CL");
    return KeyAction::Used;
}

CommandPanel::KeyAction CommandPanel::keyStroke(int keyCode, bool shift, std::string_view text,
                                                bool swallowIdle) {
    const bool idle = m_command.composeStep == ComposeStep::Nothing;
    const KeyAction action = keyDown(keyCode, shift, swallowIdle);
    if (action != KeyAction::None) return action;
    bool used = false;
    for (const char key : text)
        used = keyPress(key, swallowIdle) || used;
    return used || (swallowIdle && idle) ? KeyAction::Used : KeyAction::None;
}

void CommandPanel::resetCommand() {
    m_typedEquation.reset();
    m_command.composeStep = ComposeStep::Nothing;
    setPanelMode(ComposeStep::Nothing);
    m_command.lastEntry = NothingEntered;
    m_operandStart = std::string::npos;
    m_panel.enableExecute(false);
    m_panel.moveFocus();
}

void CommandPanel::clearForNewProblem() {
    m_typedEquation.reset();
    m_command = CommandState{};
    m_operandStart = std::string::npos;
    m_panel.showOperand("");
    setPanelMode(ComposeStep::Nothing);
    m_panel.enableExecute(false);
}

} // namespace tavolini
