// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/judge.h"

#include <QDialog>
#include <QPoint>

class QLineEdit;
class QPushButton;

namespace tavolini {

// 特殊な解: after an identity or a contradiction the pupil must say which
// special case it is. No title-bar buttons, so it ends by a choice; closing
// it some other way (Escape, the system) counts as no choice.
class TfrmSentaku final : public QDialog {
    Q_OBJECT

  public:
    explicit TfrmSentaku(QWidget* parent = nullptr);

    // Runs modally: the special case the pupil names, or None when the
    // dialog was closed otherwise.
    SpecialAnswer choose();

    // Puts the dialog's top left corner there, in screen coordinates; the
    // main window works out the place beside the problem.
    void placeAt(QPoint topLeft);

  private:
    void answer(SpecialAnswer choice);

    SpecialAnswer m_choice = SpecialAnswer::None;
    QLineEdit* m_edtSentaku = nullptr;
    QPushButton* m_btnMusu = nullptr;
    QPushButton* m_btnKainashi = nullptr;
};

} // namespace tavolini
