// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/web_page.h"

#include "core/cp932.h"
#include "practice/panel_layout.h"
#include "web/page_script.h"

namespace tavolini::web {
namespace {

using emscripten::val;

std::string imageName(int n) {
    return "Image" + std::to_string(n);
}

int pageHeight() {
    return element("frmPage")["clientHeight"].as<int>();
}

} // namespace

WebPage::WebPage(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state,
                 PageEvents& events, int screenWidth)
    : m_algebra(algebra), m_dialogs(dialogs), m_layout(layout), m_state(state), m_events(events) {
    setPageGeometry(m_state, screenWidth, PanelWidth);
    addElement("sheet", "canvas", "imgKakko", KakkoRect);
    HtmlCanvas(std::string("imgKakko"), KakkoRect.width, KakkoRect.height)
        .drawBrace(BraceCurve, clBlack, clWhite);
    addElement("sheet", "div", "lblMess", {MessRect.left, MessRect.top, m_state.rowWidth, MessRect.height});
    for (int n = 1; n <= rowImageCount(m_state); ++n) {
        if (n == 2 * m_state.rowsPerScreen + 1)
            addElement("sheet", "div", "edtPage2", page2Rect(m_state), "Page2");
        addRow("sheet", n, *rowImageRect(m_state, n));
    }

    const PageRect box = inAnswerBox(m_state, KaiRect);
    addElement("sheet", "fieldset", "grbKai", box);
    addRow("grbKai", 33, inAnswerBox(m_state, AnswerRect1));
    addRow("grbKai", 34, inAnswerBox(m_state, AnswerRect2));
    addElement("grbKai", "canvas", "imgKotaeKakko", KotaeKakkoRect);
    m_answerBrace =
        std::make_unique<HtmlCanvas>("imgKotaeKakko", KotaeKakkoRect.width, KotaeKakkoRect.height);
    for (const auto& [name, rect] : {std::pair{"lblStarX", StarRectX}, std::pair{"lblStarY", StarRectY}})
        addElement("grbKai", "div", name, inAnswerBox(m_state, rect), "★★★★★★★★★★★★★★★★★★★★★★★★");
    setVisible("grbKai", false);
    fitSheet(std::nullopt);
}

void WebPage::addRow(const char* parent, int n, const PageRect& rect) {
    addElement(parent, "canvas", imageName(n), rect)["classList"].call<void>("add", std::string("row"));
    m_images[n] = std::make_unique<HtmlCanvas>(imageName(n), rect.width, rect.height);
}

Canvas* WebPage::findRowImage(int n) {
    const auto image = m_images.find(n);
    return image != m_images.end() ? image->second.get() : nullptr;
}

int WebPage::textWidth(const CanvasFont& font, std::string_view text) const {
    return m_measure.textWidth(font, text);
}

void WebPage::showEquation(int n, Colour colour) {
    drawRow(n, colour, tavolini::showEquation);
}

void WebPage::showStep(int n, Colour colour) {
    drawRow(n, colour, tavolini::showStep);
}

void WebPage::drawRow(int n, Colour colour, void (*draw)(PageRows&, Canvas*, int, Colour)) {
    Messages messages;
    PageRows rows = pageRows(messages);
    draw(rows, findRowImage(n), n, colour);
    showMessages(m_dialogs, messages);
    bringRowIntoView(n);
}

void WebPage::blankRow(int n) {
    if (Canvas* row = findRowImage(n)) row->clear();
}

void WebPage::writeRowText(int n, int r, std::string_view text, Colour colour) {
    tavolini::writeRowText(*this, n, r, text, colour);
    bringRowIntoView(n);
}

void WebPage::toggleRowOutline(int n) {
    Messages messages;
    tavolini::toggleRowOutline(messages, *this, n);
    showMessages(m_dialogs, messages);
}

void WebPage::markRow(int n) {
    tavolini::markRow(*this, n);
}

void WebPage::placeAnswerBox(int n) {
    if (!m_answerBraceDrawn) {
        m_answerBrace->drawBrace(AnswerBraceCurve, clBlack, clWhite);
        drawAnswerBraceLabel(*m_answerBrace, m_measure);
        m_answerBraceDrawn = true;
    }
    const PagePoint at = answerBoxPosition(m_state, n, element("frmPage")["clientWidth"].as<int>());
    val box = element("grbKai")["style"];
    box.set("left", std::to_string(at.x) + "px");
    box.set("top", std::to_string(at.y) + "px");
    setVisible("grbKai", true);
    fitSheet(at);
}

void WebPage::hideAnswerBox() {
    setVisible("grbKai", false);
    fitSheet(std::nullopt);
}

void WebPage::showAnswerBrace() {
    setVisible("imgKotaeKakko", true);
}

void WebPage::fitSheet(std::optional<PagePoint> answerBox) {
    const PageRect sheet = sheetRect(m_state, answerBox);
    val style = element("sheet")["style"];
    style.set("width", std::to_string(sheet.width) + "px");
    style.set("height", std::to_string(sheet.height) + "px");
    m_answerBoxAt = answerBox;
}

void WebPage::bringRowIntoView(int n) {
    const bool answer = n == 33 || n == 34;
    if (!hasRowImage(n) || (answer && !m_answerBoxAt)) return;
    const std::optional<PageRect> row =
        answer ? std::optional<PageRect>(inAnswerBox(m_state, n == 33 ? AnswerRect1 : AnswerRect2))
               : rowImageRect(m_state, n);
    const int y = row->top + (answer ? m_answerBoxAt->y : 0);
    const int top = n <= 2 ? 0 : y;
    const PageRect rect{row->left, top, row->width, y + row->height - top};
    if (const std::optional<int> scroll =
            scrollToShow(element("frmPage")["scrollTop"].as<int>(), pageHeight(), rect))
        scrollTo(*scroll);
}

void WebPage::scrollTo(int top) {
    element("frmPage").set("scrollTop", top);
}

void WebPage::scrollDown() {
    scrollTo(element("frmPage")["scrollTop"].as<int>() + pageHeight());
}

void WebPage::scrollToTop() {
    scrollTo(0);
}

void WebPage::scrollQuarterPage() {
    scrollTo(element("frmPage")["scrollTop"].as<int>() + pageHeight() / 4);
}

void WebPage::setPageMessage(std::string_view text) {
    m_pageMessage = text;
    printMessage();
}

void WebPage::appendPageMessage(std::string_view text) {
    m_pageMessage += text;
    printMessage();
}

void WebPage::printMessage() {
    setText("lblMess", utf8FromCp932(m_pageMessage));
    printPageMessage(*this, m_algebra.equationCount, m_pageMessage);
}

void WebPage::rowHovered(int n) {
    Messages messages;
    hoverOverRow(m_state, messages, *this, m_algebra.equationCount, n, m_events.nextProblemBlinking());
    showMessages(m_dialogs, messages);
}

void WebPage::hoverOffRows() {
    Messages messages;
    tavolini::hoverOffRows(m_state, messages, *this);
    showMessages(m_dialogs, messages);
}

void WebPage::rowReleased(int n, bool rightButton) {
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

} // namespace tavolini::web
