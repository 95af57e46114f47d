// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "core/dialogs.h"
#include "desktop/drawing/row_image.h"
#include "presentation/equation_layout.h"
#include "presentation/page_events.h"
#include "presentation/page_layout.h"
#include "presentation/page_rows.h"
#include "presentation/page_state.h"
#include "presentation/page_view.h"

#include <QImage>
#include <QScrollArea>
#include <array>
#include <optional>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace tavolini {

// The page window: the problem's two equations beside a brace, the steps in
// rows down a left and a right column, a second sheet below the first, the
// page message and the answer box. A child of the main window that scrolls
// vertically. It draws what it is told to and hands clicks and keys on.
class TfrmPage final : public QScrollArea, public PageView {
    Q_OBJECT

  public:
    TfrmPage(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state, PageEvents& events,
             const PageSetup& setup, QWidget* parent = nullptr);

    // The row image named "Image" + n, or nothing.
    RowImage* findRowImage(int n) const;

    // Draws table slot n into the image (which may be nothing) in the colour.
    void showEquation(RowImage* image, int n, Colour colour);

    bool hasRowImage(int n) const override { return findRowImage(n) != nullptr; }
    // showEquation, showStep and writeRowText bring the row they write into view.
    void showEquation(int n, Colour colour) override;
    void showStep(int n, Colour colour) override;
    void blankRow(int n) override;
    void writeRowText(int n, int r, std::string_view text, Colour colour) override;
    void drawRowLabel(int n);
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

    // The mouse left the rows: over the main window, the brace or the page.
    void hoverOffRows();

    // Every row is cleared with a fresh copy of this white picture.
    const QImage& blankPicture() const { return m_blankPicture; }

    // The scrolled sheet that holds every control.
    QWidget* sheet() const { return m_sheet; }
    // How row n was last drawn, for a printout; nothing while it is blank.
    std::optional<RowDrawing> rowDrawing(int n) const;
    Algebra& algebra() const { return m_algebra; }
    LayoutState& layout() const { return m_layout; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class Rows final : public RowImages {
      public:
        explicit Rows(const TfrmPage& page) : m_page(page) {}
        Canvas* findRowImage(int n) override;
        int textWidth(const CanvasFont& font, std::string_view text) const override {
            return m_measure.textWidth(font, text);
        }

      private:
        const TfrmPage& m_page;
        QtTextMeasure m_measure;
    };

    PageRows pageRows(Messages& messages) { return {m_algebra, m_layout, m_rows, messages}; }
    void noteDrawing(int n, std::optional<RowDrawing> drawing);
    RowImage* addImage(const QString& name, const PageRect& rect, QWidget* parent);
    void createControls();
    void createRows();
    void watchRow(RowImage* row);
    void rowHovered(const RowImage* row);
    void rowReleased(const RowImage* row, Qt::MouseButton button);
    void printMessage();
    // Scrolls until row n is wholly in view; the problem's rows with the
    // message line above them.
    void bringRowIntoView(int n);
    // The sheet covers every row and the answer box, when one is placed.
    void fitSheet(std::optional<PagePoint> answerBox);

    Algebra& m_algebra;
    Dialogs& m_dialogs;
    LayoutState& m_layout;
    std::array<std::optional<RowDrawing>, EquationSlots> m_drawnRows{};
    PageState& m_state;
    PageEvents& m_events;
    Rows m_rows{*this};
    QImage m_blankPicture;
    std::string m_pageMessage;

    QWidget* m_sheet = nullptr;
    RowImage* m_imgKakko = nullptr;
    QLabel* m_lblMess = nullptr;
    QGroupBox* m_grbKai = nullptr;
    RowImage* m_imgKotaeKakko = nullptr;
    bool m_answerBraceDrawn = false;
    QLineEdit* m_edtPage2 = nullptr;
};

} // namespace tavolini
