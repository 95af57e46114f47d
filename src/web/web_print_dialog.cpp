// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/web_print_dialog.h"

#include "presentation/svg_print_target.h"
#include "web/page_script.h"
#include "web/web_dialogs.h"

#include <charconv>

namespace tavolini::web {
namespace {

using emscripten::val;

// What the dialog's controls reply.
constexpr int Closed = 0;
constexpr int SettingChanged = 1;
constexpr int Start = 2;
constexpr int PrintAll = 3;

constexpr PageRect DialogBody{0, 0, 345, 217};

// The number box `id` under its label `labelId`, which reads `caption`.
void addNumberBox(const char* labelId, const char* caption, const char* id, const PageRect& rect, int lowest,
                  int highest) {
    addElement("dlgBody", "div", labelId, {rect.left - 8, rect.top - 16, 120, 16}, caption);
    val box = addElement("dlgBody", "input", id, rect);
    box.call<void>("setAttribute", std::string("aria-label"), std::string(caption));
    box.set("type", std::string("number"));
    box.set("min", lowest);
    box.set("max", highest);
    box.call<void>("setAttribute", std::string("data-change-reply"), SettingChanged);
}

std::optional<int> boxNumber(const char* id) {
    const std::string text = element(id)["value"].as<std::string>();
    int value = 0;
    const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (fault != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

void showNumber(const char* id, int value) {
    element(id).set("value", std::to_string(value));
}

// The sheets go to the page, which prints them.
void printPages(const SvgPrintTarget& target) {
    val pages = val::array();
    for (const std::string& page : target.pages())
        pages.call<void>("push", page);
    pageScript().call<void>("printPages", pages);
}

} // namespace

void WebPrintDialog::showPrint(WebPage& page) {
    openDialog("print", "frmPrintS", "", Closed, DialogBody);
    createControls();
    refreshPreview();
    for (;;) {
        switch (nextReply()) {
        case SettingChanged:
            readSettings();
            refreshPreview();
            break;
        case Start:
            readSettings();
            btnStartClick(page);
            break;
        case PrintAll:
            btnPrintAllClick();
            break;
        default:
            pageScript().call<void>("closeDialog");
            return;
        }
    }
}

void WebPrintDialog::createControls() {
    addElement("dlgBody", "div", "Label3", {8, 8, 200, 16}, "プリントイメージ");
    addElement("dlgBody", "div", "edtSample", {8, 24, 225, 57});
    addNumberBox("Label2", "左側空白（文字数）", "updLMargin", {16, 112, 57, 35}, LowestPrintSettings.margin,
                 HighestPrintSettings.margin);
    addNumberBox("Label1", "文字の大きさ", "updSize", {16, 176, 57, 33}, LowestPrintSettings.size,
                 HighestPrintSettings.size);
    addReplyButton("btnStart", "印刷開始", {128, 136, 89, 33}, Start);
    addReplyButton("btnCancel", "閉じる", {128, 176, 89, 33}, Closed);
    addReplyButton("btnPrintAll", "全画面印刷", {240, 96, 97, 113}, PrintAll);
    showNumber("updLMargin", m_settings.margin);
    showNumber("updSize", m_settings.size);
}

void WebPrintDialog::readSettings() {
    const PrintSettings typed{boxNumber("updLMargin").value_or(m_settings.margin),
                              boxNumber("updSize").value_or(m_settings.size)};
    m_settings = typed.clamped();
    // A number past the range shows as the setting it became.
    if (m_settings.margin != typed.margin) showNumber("updLMargin", m_settings.margin);
    if (m_settings.size != typed.size) showNumber("updSize", m_settings.size);
}

void WebPrintDialog::refreshPreview() {
    val preview = element("edtSample");
    const int points = printPreviewPoints(m_settings.size);
    preview.set("textContent", printPreviewText(m_settings.margin));
    preview["style"].set("fontSize", std::to_string(points) + "pt"); // points at 96 dpi
    preview.call<void>("setAttribute", std::string("data-points"), points);
}

void WebPrintDialog::btnStartClick(WebPage& page) {
    const StepPrintout printout =
        page.stepPrintout(problemTitle(m_set.currentUnit, currentProblemNumber(m_set)), m_screenWidth);
    const HtmlTextMeasure measure;
    SvgPrintTarget target(measure);
    Messages messages;
    printSteps(target, printout, m_settings, page.algebra(), page.layout(), messages);
    showMessages(m_dialogs, messages);
    printPages(target);
}

void WebPrintDialog::btnPrintAllClick() {
    const val picture = pageScript().call<val>("pageWindowPicture");
    const HtmlTextMeasure measure;
    SvgPrintTarget target(measure, picture["url"].as<std::string>());
    printWholePage(target, picture["width"].as<int>(), picture["height"].as<int>());
    printPages(target);
}

} // namespace tavolini::web
