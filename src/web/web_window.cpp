// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/web_window.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "practice/panel_layout.h"
#include "web/page_script.h"

#include <algorithm>

namespace tavolini::web {
namespace {

// "開く(&O)" as the page writes it: "開く(O)".
std::string withoutAccessKey(std::string caption) {
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption;
}

} // namespace

WebWindow::WebWindow(DrillData& state, int screenWidth)
    : m_dialogs(state.problems, state.algebra, state.layout) {
    createMenus();
    createPanel();
    m_session = std::make_unique<DrillSession>(
        state, m_dialogs, m_dialogs, *this, [&](PageEvents& events) -> PageView& {
            m_page = std::make_unique<WebPage>(state.algebra, m_dialogs, state.layout, state.page, events,
                                               screenWidth);
            return *m_page;
        });
}

void WebWindow::createMenus() {
    for (const MenuEntry& entry : MenuEntries) {
        if (entry.edition != Edition::Both) continue;
        std::string caption = withoutAccessKey(entry.caption);
        if (entry.key != 0) caption += "　" + keyName(entry.key);
        pageScript().call<void>("addMenuEntry",
                                withoutAccessKey(Menus[static_cast<std::size_t>(entry.menu)].caption),
                                std::string(entry.name), caption);
    }
}

void WebWindow::createPanel() {
    for (int n = 1; n <= EquationButtons; ++n)
        addElement("pnlMain", "button", equationButtonName(n), equationButtonRect(n),
                   utf8FromCp932(EquationLabels()[static_cast<std::size_t>(n)]));
    addElement("pnlMain", "div", "grbSousa", OperationGroupRect);
    for (const OperationPlace& place : OperationPlaces) {
        const OperationRow& row = operationRow(place.operation);
        addElement("grbSousa", "button", row.buttonName, place.rect, row.label);
    }
    for (const PanelButton& button : PanelButtons)
        if (button.edition == Edition::Both)
            addElement("pnlMain", "button", button.name, button.rect, button.caption);
    addElement("pnlMain", "div", NumberPadName, NumberPadRect);
    addElement(NumberPadName, "div", OperandDisplayName, OperandDisplayRect);
    for (const PadKey& key : PadKeys)
        addElement(NumberPadName, "button", key.name, padKeyRect(key), key.caption);
}

void WebWindow::enableControl(const std::string& name, bool enabled) {
    setEnabled(name, enabled);
}

void WebWindow::showControl(const std::string& name, bool visible) {
    setVisible(name, visible);
}

void WebWindow::setControlText(const std::string& name, std::string_view text) {
    setText(name, utf8FromCp932(text));
}

void WebWindow::focusControl(const std::string& name) {
    element(name).call<void>("focus");
}

void WebWindow::blink(bool on) {
    element(NextButton.name)["classList"].call<void>(on ? "add" : "remove", std::string("blinking"));
}

void WebWindow::open(FrontEndWindow window) {
    if (window == FrontEndWindow::HelpContents)
        pageScript().call<void>("showHelp", std::string("contents.html"));
    if (window == FrontEndWindow::OnePoint) pageScript().call<void>("showHelp", std::string("onepoint.html"));
}

void WebWindow::closeWindow() {
    pageScript().call<void>("endProgram");
}

} // namespace tavolini::web
