// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "desktop/drawing/row_image.h"
#include "presentation/page_presenter.h"

#include <QScrollArea>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace tavolini {

// The page window: the problem's two equations beside a brace, the steps in
// rows down a left and a right column, a second sheet below the first, the
// page message and the answer box. A child of the main window that scrolls
// vertically. It makes the controls and hands the mouse and keys on.
class TfrmPage final : public QScrollArea, public PagePresenter {
    Q_OBJECT

  public:
    TfrmPage(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state, PageEvents& events,
             const PageSetup& setup, QWidget* parent = nullptr);

    // The row image named "Image" + n, or nothing.
    RowImage* findRowImage(int n) const;

    // The scrolled sheet that holds every control.
    QWidget* sheet() const { return m_sheet; }
    using PagePresenter::layout;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Canvas* rowCanvas(int n) const override;
    const TextMeasure& textMeasure() const override { return m_measure; }
    void showMessageText(std::string_view text) override;
    int scrollTop() const override;
    void scrollTo(int top) override;
    int viewHeight() const override;
    int pageHeight() const override { return height(); }
    int pageWidth() const override { return width(); }
    void drawAnswerBrace() override;
    void showAnswerBraceImage() override;
    void moveAnswerBox(std::optional<PagePoint> at) override;
    void resizeSheet(int width, int height) override;

    RowImage* addImage(const QString& name, const PageRect& rect, QWidget* parent);
    void createControls();
    void createRows();
    void watchRow(int n, RowImage* row);

    QtTextMeasure m_measure;
    QSize m_pictureSize; // of every row's picture, cleared or drawn

    QWidget* m_sheet = nullptr;
    RowImage* m_imgKakko = nullptr;
    QLabel* m_lblMess = nullptr;
    QGroupBox* m_grbKai = nullptr;
    RowImage* m_imgKotaeKakko = nullptr;
    QLineEdit* m_edtPage2 = nullptr;
};

} // namespace tavolini
