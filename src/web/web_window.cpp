// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/web_window.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "practice/panel_layout.h"
#include "web/look_back.h"
#include "web/page_script.h"

#include <algorithm>
#include <string_view>

namespace tavolini::web {
namespace {

using emscripten::val;

// "開く(&O)" as the page writes it: "開く(", "O", ")", the access key underlined.
val accessKeyCaption(std::string_view caption) {
    const std::size_t at = std::min(caption.find('&'), caption.size() - 1);
    val parts = val::object();
    parts.set("before", std::string(caption.substr(0, at)));
    parts.set("key", std::string(caption.substr(at + 1, 1)));
    parts.set("after", std::string(caption.substr(at + 2)));
    return parts;
}

// What a screen reader calls a control, where its caption does not do.
void nameControl(val control, const char* spokenName) {
    if (spokenName != nullptr)
        control.call<void>("setAttribute", std::string("aria-label"), std::string(spokenName));
}

// The screen as the page's script reports it.
Viewport reportedViewport() {
    const emscripten::val size = pageScript().call<emscripten::val>("viewport");
    return {size["width"].as<int>(), size["height"].as<int>(), size["coarse"].as<bool>()};
}

} // namespace

WebWindow::WebWindow(DrillData& state, int screenWidth)
    : m_state(state), m_dialogs(state.problems, state.algebra, state.layout),
      m_print(state.problems, m_dialogs, screenWidth), m_editor(state.problems, m_dialogs) {
    createMenus();
    layOutPanel(true);
    m_session = std::make_unique<DrillSession>(
        state, m_dialogs, m_dialogs, *this, [&](PageEvents& events) -> PageView& {
            m_page = std::make_unique<WebPage>(state.algebra, m_dialogs, state.layout, state.page, events,
                                               screenWidth);
            return *m_page;
        });
    m_session->setEditor(&m_editor);
    relayout(reportedViewport());
}

void WebWindow::createMenus() {
    for (const MenuEntry& entry : MenuEntries) {
        if (entry.edition != Edition::Both) continue;
        const Menu& menu = Menus[static_cast<std::size_t>(entry.menu)];
        pageScript().call<void>("addMenuEntry", std::string(menu.name), accessKeyCaption(menu.caption),
                                std::string(entry.name), accessKeyCaption(entry.caption),
                                entry.key != 0 ? keyName(entry.key) : std::string());
    }
}

void WebWindow::layOutPanel(bool create) {
    const auto put = [&](const char* parent, const char* tag, const std::string& id, const PageRect& rect,
                         std::string_view text = {}, const char* spokenName = nullptr) {
        if (create)
            nameControl(addElement(parent, tag, id, rect, text), spokenName);
        else
            placeElement(id, rect);
    };
    for (int n = 1; n <= EquationButtons; ++n) {
        const std::string label = utf8FromCp932(EquationLabels()[static_cast<std::size_t>(n)]);
        put("pnlMain", "button", equationButtonName(n), equationButtonRect(m_layout, n), label,
            (label + "式").c_str());
    }
    put("pnlMain", "div", "grbSousa", operationGroupRect(m_layout));
    for (std::size_t i = 0; i < OperationPlaces.size(); ++i) {
        const OperationRow& row = operationRow(OperationPlaces[i].operation);
        put("grbSousa", "button", row.buttonName, operationRect(m_layout, i), row.label,
            spokenName(row.buttonName));
    }
    for (const PanelButton& button : PanelButtons)
        if (button.edition == Edition::Both)
            put("pnlMain", "button", button.name, panelButtonRect(m_layout, button), button.caption,
                spokenName(button.name));
    put("pnlMain", "div", NumberPadName, numberPadRect(m_layout));
    put(NumberPadName, "div", OperandDisplayName, operandDisplayRect(m_layout));
    for (const PadKey& key : PadKeys)
        put(NumberPadName, "button", key.name, padKeyRect(m_layout, key), key.caption, spokenName(key.name));
}

void WebWindow::relayout(const Viewport& viewport) {
    m_layout = windowLayout(viewport);
    const bool below = m_layout.panelPlace == PanelPlace::Below;
    element("columns").call<void>("setAttribute", std::string("data-panel"),
                                  std::string(below ? "below" : "left"));
    element("frmMain").call<void>("setAttribute", std::string("data-keys"),
                                  std::string(m_layout.designed ? "designed" : "touch"));
    emscripten::val area = element("pnlMainArea")["style"];
    area.set("width", below ? std::string() : std::to_string(m_layout.panelWidth) + "px");
    area.set("height", below ? std::to_string(m_layout.panelHeight) + "px" : std::string());
    placeElement("pnlMain", {0, 0, m_layout.panelWidth, m_layout.panelHeight});
    layOutPanel(false);
    m_page->relayout(m_layout);
    m_dialogs.fitScreen(viewport.width, !m_layout.designed);
    fitLookBack({viewport, !m_layout.designed});
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
    const ScreenNow screen = [this] { return DialogScreen{reportedViewport(), !m_layout.designed}; };
    if (window == FrontEndWindow::Records) showRecords(m_state.problems, m_state.records, m_dialogs, screen);
    if (window == FrontEndWindow::Stack) showStack(m_state.algebra, m_state.page, screen);
    if (window == FrontEndWindow::Print) m_print.showPrint(*m_page);
}

void WebWindow::closeWindow() {
    if (m_session->windowClosing()) pageScript().call<void>("endProgram");
}

} // namespace tavolini::web
