// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/record_lists.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace tavolini {

class Dialogs;

// The record viewer's deletion dialog: the units that have a record, and
// 消去 to erase the chosen one's. It ends with OK when something was erased.
class TfrmDelete final : public QDialog {
    Q_OBJECT

  public:
    TfrmDelete(ProblemSet& set, PracticeRecords& records, Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills the list from the record file, centred on the screen.
    void prepareShowing();
    void btnDeleteOneClick();
    void reject() override; // 閉じる, Escape and the close box end alike

  private:
    ProblemSet& m_set;
    PracticeRecords& m_records;
    Dialogs& m_dialogs;
    RecordDeletion m_deletion;
    QListWidget* m_lstTitle = nullptr;
};

} // namespace tavolini
