// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "desktop/drawing/row_image.h"
#include "files/problem_set.h"
#include "presentation/equation_layout.h"
#include "presentation/problem_selection.h"

#include <QDialog>
#include <QImage>
#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace tavolini {

// 単元変更: the unit list, the shown unit's problems drawn as on the page,
// each beside a brace and a numbered button; the chosen problem's brace is
// green. Made once and reused, so that it remembers what was marked.
class TfrmMondai final : public QDialog, private SelectionView {
    Q_OBJECT

  public:
    TfrmMondai(ProblemSet& set, Algebra& algebra, LayoutState& layout, QWidget* parent = nullptr);

    // Covers the main window and runs modally. On OK `currentUnit` and that
    // unit's entry of `problemNumbers` are written and the result is true;
    // on Cancel (or closing) nothing is written. Starting the problem is
    // the caller's.
    bool choose();

    // The showing's preparations without running: what choose() does before
    // the dialog appears.
    void prepareShowing();

    const SelectionState& selectionState() const { return m_state; }

    // The green brace and the black one, 25 x 100.
    static QImage markedBrace();
    static QImage unmarkedBrace();

  private:
    ProblemSelection selection() { return {m_set, m_algebra, m_layout, m_state, *this}; }

    Canvas* findPreviewImage(int n) override;
    void setSlotVisible(int p, bool visible) override;
    void setBraceMarked(int p, bool marked) override;
    void setUnitTitles(const std::vector<std::string>& titles) override;
    void selectOnlyUnitItem(int index) override;
    void focusUnitList() override;

    void createControls();
    void createSlot(int p);
    RowImage* addImage(const QString& name, QRect rect);
    void unitClicked(int index);
    void problemClicked(int p);
    void btnOKClick();

    ProblemSet& m_set;
    Algebra& m_algebra;
    LayoutState& m_layout;
    SelectionState m_state;

    std::array<RowImage*, SelectionSlots> m_imgKakko{};
    std::array<RowImage*, PreviewImageCount> m_images{};
    std::array<QPushButton*, SelectionSlots> m_btnShiki{};
    RowImage* m_imgKakkoB = nullptr;
    RowImage* m_imgKakkoW = nullptr;
    QWidget* m_sheet = nullptr; // the controls, at their designed places
    QLabel* m_label1 = nullptr;
    QListWidget* m_lstTangen = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
};

} // namespace tavolini
