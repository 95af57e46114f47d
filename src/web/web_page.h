// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/window_layout.h"
#include "presentation/page_presenter.h"
#include "web/html_canvas.h"

#include <map>
#include <memory>

namespace tavolini::web {

// The page window in the document: the brace beside the problem, the rows
// down the columns of two sheets, the page message and the answer box, each
// row an HTML canvas. The page's script hands the pupil's mouse on to it.
class WebPage final : public PagePresenter {
  public:
    WebPage(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state, PageEvents& events,
            int screenWidth);

    // The rows fitted to the window's new layout, drawn again as they were.
    void relayout(const WindowLayout& window);

  private:
    Canvas* rowCanvas(int n) const override;
    const TextMeasure& textMeasure() const override { return m_measure; }
    void showMessageText(std::string_view text) override;
    int scrollTop() const override;
    void scrollTo(int top) override;
    int viewHeight() const override;
    int pageHeight() const override { return viewHeight(); }
    int pageWidth() const override;
    void drawAnswerBrace() override;
    void showAnswerBraceImage() override;
    void moveAnswerBox(std::optional<PagePoint> at) override;
    void resizeSheet(int width, int height) override;
    void placeRows() override;
    void describeRow(int n, std::string_view text, bool choosable) override;
    void announce(std::string_view text) override;

    void addRow(const char* parent, int n, const PageRect& rect);
    void placeRow(int n, const PageRect& rect);

    HtmlTextMeasure m_measure;
    std::map<int, std::unique_ptr<HtmlCanvas>> m_images;
    std::unique_ptr<HtmlCanvas> m_answerBrace;
};

} // namespace tavolini::web
