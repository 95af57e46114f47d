// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QDialog>

class QListWidget;

namespace tavolini {

struct Algebra;
struct PageState;

// スタックの中身: the token lists of the equations as they are held, one token
// a line, each equation closed by a line with its label.
class TfrmDump final : public QDialog {
    Q_OBJECT

  public:
    TfrmDump(const Algebra& algebra, const PageState& page, QWidget* parent = nullptr);

    void showStack();
    // The list built afresh from the table.
    void prepareShowing();

  private:
    const Algebra& m_algebra;
    const PageState& m_page;
    QListWidget* m_lstDump = nullptr;
};

} // namespace tavolini
