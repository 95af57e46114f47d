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

std::string pixels(int length) {
    return std::to_string(length) + "px";
}

val frmPage() {
    return element("frmPage");
}

} // namespace

WebPage::WebPage(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state,
                 PageEvents& events, int screenWidth)
    : PagePresenter(algebra, dialogs, layout, state, events, screenWidth, PanelWidth) {
    const PageState& page = pageState();
    addElement("sheet", "canvas", "imgKakko", KakkoRect);
    HtmlCanvas(std::string("imgKakko"), KakkoRect.width, KakkoRect.height)
        .drawBrace(BraceCurve, clBlack, clWhite);
    addElement("sheet", "div", "lblMess", messageRect(page))
        .call<void>("setAttribute", std::string("role"), std::string("status"));
    for (int n = 1; n <= rowImageCount(page); ++n) {
        if (n == firstRowOfSheet2(page)) addElement("sheet", "div", "edtPage2", page2Rect(page), "Page2");
        addRow("sheet", n, *rowImageRect(page, n));
    }

    addElement("sheet", "fieldset", "grbKai", inAnswerBox(page, KaiRect));
    for (int n : {SolutionSlotX, SolutionSlotY})
        addRow("grbKai", n, *answerRowRect(page, n));
    addElement("grbKai", "canvas", "imgKotaeKakko", KotaeKakkoRect);
    m_answerBrace =
        std::make_unique<HtmlCanvas>("imgKotaeKakko", KotaeKakkoRect.width, KotaeKakkoRect.height);
    std::string stars;
    for (int i = 0; i < StarCount; ++i)
        stars += "★";
    for (const auto& [name, rect] : {std::pair{"lblStarX", StarRectX}, std::pair{"lblStarY", StarRectY}})
        addElement("grbKai", "div", name, inAnswerBox(page, rect), stars);
    hideAnswerBox();
}

void WebPage::addRow(const char* parent, int n, const PageRect& rect) {
    addElement(parent, "canvas", imageName(n), rect)["classList"].call<void>("add", std::string("row"));
    placeRow(n, rect);
}

void WebPage::placeRow(int n, const PageRect& rect) {
    placeElement(imageName(n), rect);
    m_images[n] = std::make_unique<HtmlCanvas>(imageName(n), rect.width, rect.height);
}

void WebPage::relayout(const WindowLayout& window) {
    layOutAgain([&](PageState& page) { layOutPage(page, window); });
}

// The answer box goes back to its place when it is shown again.
void WebPage::placeRows() {
    const PageState& page = pageState();
    placeElement("lblMess", messageRect(page));
    placeElement("edtPage2", page2Rect(page));
    for (int n = 1; n <= rowImageCount(page); ++n)
        placeRow(n, *rowImageRect(page, n));
    placeElement("grbKai", inAnswerBox(page, KaiRect));
    for (int n : {SolutionSlotX, SolutionSlotY})
        placeRow(n, *answerRowRect(page, n));
    for (const auto& [name, rect] : {std::pair{"lblStarX", StarRectX}, std::pair{"lblStarY", StarRectY}})
        placeElement(name, inAnswerBox(page, rect));
}

Canvas* WebPage::rowCanvas(int n) const {
    const auto image = m_images.find(n);
    return image != m_images.end() ? image->second.get() : nullptr;
}

void WebPage::showMessageText(std::string_view text) {
    setText("lblMess", utf8FromCp932(text));
}

int WebPage::scrollTop() const {
    return frmPage()["scrollTop"].as<int>();
}

void WebPage::scrollTo(int top) {
    frmPage().set("scrollTop", top);
}

int WebPage::viewHeight() const {
    return frmPage()["clientHeight"].as<int>();
}

int WebPage::pageWidth() const {
    return frmPage()["clientWidth"].as<int>();
}

void WebPage::drawAnswerBrace() {
    m_answerBrace->drawBrace(AnswerBraceCurve, clBlack, clWhite);
    drawAnswerBraceLabel(*m_answerBrace, m_measure);
}

void WebPage::showAnswerBraceImage() {
    setVisible("imgKotaeKakko", true);
}

void WebPage::moveAnswerBox(std::optional<PagePoint> at) {
    if (at) {
        val box = element("grbKai")["style"];
        box.set("left", pixels(at->x));
        box.set("top", pixels(at->y));
    }
    setVisible("grbKai", at.has_value());
}

void WebPage::describeRow(int n, std::string_view text, bool choosable) {
    pageScript().call<void>("describeRow", imageName(n), utf8FromCp932(text), choosable);
}

void WebPage::announce(std::string_view text) {
    pageScript().call<void>("announce", utf8FromCp932(text));
}

void WebPage::resizeSheet(int width, int height) {
    val style = element("sheet")["style"];
    style.set("width", pixels(width));
    style.set("height", pixels(height));
}

} // namespace tavolini::web
