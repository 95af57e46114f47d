// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "core/dialogs.h"
#include "presentation/equation_layout.h"
#include "presentation/page_events.h"
#include "presentation/page_layout.h"
#include "presentation/page_rows.h"
#include "presentation/page_state.h"
#include "presentation/page_view.h"
#include "presentation/print_job.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavolini {

// The page window's handling, the same in every front end: rows drawn with
// what the drawing reports shown, the page message, the answer box, the
// outline that follows the mouse, clicks on rows, and scrolling that keeps
// the newest row in view. A front end makes the controls of the layout and
// answers the calls of the surface below.
class PagePresenter : public PageView {
  public:
    // Fixes the page's layout from the screen (setPageGeometry).
    PagePresenter(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state,
                  PageEvents& events, int screenWidth, int mainPanelWidth);

    bool hasRowImage(int n) const override { return rowCanvas(n) != nullptr; }
    // showEquation, showStep and writeRowText bring the row they write into view.
    void showEquation(int n, Colour colour) override;
    void showStep(int n, Colour colour) override;
    void blankRow(int n) override;
    void writeRowText(int n, int r, std::string_view text, Colour colour) override;
    void toggleRowOutline(int n) override;
    void markRow(int n) override;
    void placeAnswerBox(int n) override;
    void hideAnswerBox() override;
    void showAnswerBrace() override { showAnswerBraceImage(); }
    void scrollDown() override { scrollTo(scrollTop() + pageHeight()); }
    void scrollToTop() override { scrollTo(0); }
    void setPageMessage(std::string_view text) override;
    void appendPageMessage(std::string_view text) override;
    const std::string& pageMessage() const override { return m_pageMessage; }

    void scrollQuarterPage() override { scrollTo(scrollTop() + pageHeight() / 4); }

    // The pupil's mouse: over row n, off the rows, a click on row n.
    void rowHovered(int n);
    void hoverOffRows();
    void rowReleased(int n, bool rightButton);

    // How row n was last drawn, for a printout; nothing while it is blank.
    std::optional<RowDrawing> rowDrawing(int n) const;
    // What a printout of the steps shows: the rows 1 to equationCount as they
    // were drawn, at the size their images stand on the page, and the answers
    // when their box shows.
    StepPrintout stepPrintout(std::string title, int screenWidth) const;

    // The page laid out anew for another size of screen: `changeGeometry`
    // changes the rows' width and columns, the front end places its controls
    // again, every row is drawn again as it was, the answer box goes back
    // after its row and the row at the top of the view stays there. It calls
    // no rule of the drill, so it may run while the drill waits for a dialog.
    void layOutAgain(const std::function<void(PageState&)>& changeGeometry);
    Algebra& algebra() const { return m_algebra; }
    LayoutState& layout() const { return m_layout; }

  protected:
    const PageState& pageState() const { return m_state; }
    PageEvents& events() const { return m_events; }

    // The surface: what the front end shows the page on. Its own scrolling
    // keeps the top inside the sheet.
    virtual Canvas* rowCanvas(int n) const = 0; // of the image of n, or nothing
    virtual const TextMeasure& textMeasure() const = 0;
    virtual void showMessageText(std::string_view text) = 0;
    virtual int scrollTop() const = 0;
    virtual void scrollTo(int top) = 0;
    virtual int viewHeight() const = 0; // what shows of the sheet
    virtual int pageHeight() const = 0; // the window's, by which it pages
    virtual int pageWidth() const = 0;
    virtual void drawAnswerBrace() = 0; // once, when the box first shows
    virtual void showAnswerBraceImage() = 0;
    virtual void moveAnswerBox(std::optional<PagePoint> at) = 0; // shows it at `at`, or hides it
    virtual void resizeSheet(int width, int height) = 0;
    // Puts the rows, the message line and the answer box where the changed
    // geometry says, each row with a fresh blank picture of its new size.
    virtual void placeRows() {}
    // What a screen reader is told of row n (code page 932; empty while the
    // row is blank), and whether a press on it chooses its equation; and what
    // it says at once of a row just drawn. Rows without text of their own
    // leave these alone.
    virtual void describeRow(int /*n*/, std::string_view /*text*/, bool /*choosable*/) {}
    virtual void announce(std::string_view /*text*/) {}

  private:
    class Rows final : public RowImages {
      public:
        explicit Rows(const PagePresenter& page) : m_page(page) {}
        Canvas* findRowImage(int n) override { return m_page.rowCanvas(n); }
        int textWidth(const CanvasFont& font, std::string_view text) const override {
            return m_page.textMeasure().textWidth(font, text);
        }

      private:
        const PagePresenter& m_page;
    };

    // What was drawn on a row since it was last cleared, in order, so that
    // it can be drawn again on a row of another width.
    struct RowAction {
        enum class Kind { Equation, Step, Text, Outline, Mark, Message };
        explicit RowAction(Kind kind, Colour colour = clBlack, int textRow = 0, std::string text = {})
            : kind(kind), colour(colour), textRow(textRow), text(std::move(text)) {}
        Kind kind;
        Colour colour;
        int textRow;
        std::string text;
    };

    // Draws slot n into its row with `draw` (an equation, or a step with its sentence).
    void drawRow(int n, Colour colour, void (*draw)(PageRows&, Canvas*, int, Colour));
    // A row's drawing starts again with `first`, or blank; or goes on with `next`.
    void restartRow(int n, std::optional<RowAction> first);
    void noteAction(int n, RowAction next);
    void noteOutlineMove(int from, int to);
    void drawAgain(int n, const RowAction& action);
    // Scrolls until row n is wholly in view; the problem's rows with the
    // message line above them.
    void bringRowIntoView(int n);
    void showAnswerBoxAt(std::optional<PagePoint> at);
    void printMessage();

    // The text of a row as a screen reader reads it: what is drawn (the
    // label, the step sentence and the equation, or the page message), what
    // was written below it, and whether it is outlined.
    struct RowText {
        std::string drawn;
        std::string written;
        bool choosable = false;
        bool outlined = false;
    };
    RowText* rowText(int n);
    void newRowText(int n, std::string drawn, bool choosable);
    void tellRow(int n);

    Algebra& m_algebra;
    Dialogs& m_dialogs;
    LayoutState& m_layout;
    PageState& m_state;
    PageEvents& m_events;
    Rows m_rows{*this};
    std::array<std::vector<RowAction>, EquationSlots> m_rowActions{};
    std::array<RowText, EquationSlots> m_rowTexts{};
    std::string m_pageMessage;
    std::optional<PagePoint> m_answerBoxAt;
    std::optional<int> m_answerBoxAfter; // the row placeAnswerBox put it after
    bool m_answerBraceDrawn = false;
};

} // namespace tavolini
