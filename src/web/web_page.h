// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"
#include "presentation/page_events.h"
#include "presentation/page_rows.h"
#include "presentation/page_view.h"
#include "web/html_canvas.h"

#include <map>
#include <memory>
#include <optional>

namespace tavolini::web {

// The page window in the document: the brace beside the problem, the rows
// down the columns of two sheets, the page message and the answer box, each
// row an HTML canvas. It draws what the drill tells it and hands the
// pupil's clicks on to it.
class WebPage final : public PageView, private RowImages {
  public:
    WebPage(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state, PageEvents& events,
            int screenWidth);

    bool hasRowImage(int n) const override { return m_images.contains(n); }
    void showEquation(int n, Colour colour) override;
    void showStep(int n, Colour colour) override;
    void blankRow(int n) override;
    void writeRowText(int n, int r, std::string_view text, Colour colour) override;
    void toggleRowOutline(int n) override;
    void markRow(int n) override;
    void placeAnswerBox(int n) override;
    void hideAnswerBox() override;
    void showAnswerBrace() override;
    void scrollDown() override;
    void scrollToTop() override;
    void setPageMessage(std::string_view text) override;
    void appendPageMessage(std::string_view text) override;
    const std::string& pageMessage() const override { return m_pageMessage; }

    // The pupil's mouse: over row n, off the rows, a click on row n.
    void rowHovered(int n);
    void hoverOffRows();
    void rowReleased(int n, bool rightButton);

    // Scrolls the page down by a quarter of what shows of it.
    void scrollQuarterPage();

  private:
    Canvas* findRowImage(int n) override;
    int textWidth(const CanvasFont& font, std::string_view text) const override;
    PageRows pageRows(Messages& messages) { return {m_algebra, m_layout, *this, messages}; }
    void addRow(const char* parent, int n, const PageRect& rect);
    // Draws slot n into its row with `draw` (an equation, or a step with its sentence).
    void drawRow(int n, Colour colour, void (*draw)(PageRows&, Canvas*, int, Colour));
    void bringRowIntoView(int n);
    void fitSheet(std::optional<PagePoint> answerBox);
    void printMessage();
    void scrollTo(int top);

    Algebra& m_algebra;
    Dialogs& m_dialogs;
    LayoutState& m_layout;
    PageState& m_state;
    PageEvents& m_events;
    HtmlTextMeasure m_measure;
    std::map<int, std::unique_ptr<HtmlCanvas>> m_images;
    std::unique_ptr<HtmlCanvas> m_answerBrace;
    bool m_answerBraceDrawn = false; // when the box first shows
    std::string m_pageMessage;
    std::optional<PagePoint> m_answerBoxAt;
};

} // namespace tavolini::web
