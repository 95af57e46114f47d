// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "desktop/dialogs/delete_dialog.h"

#include <QDialog>

class QListWidget;

namespace tavolini {

// 練習の記録: per unit its title, the date it was last practised and a row of
// stars per problem, one for each completion; 記録消去 opens the deletion
// dialog and shows the list again when something was erased. A record file
// that cannot be read is named before the list is shown.
class TfrmKiroku final : public QDialog {
    Q_OBJECT

  public:
    TfrmKiroku(ProblemSet& set, PracticeRecords& records, Dialogs& dialogs, QWidget* parent = nullptr);

    void showRecords();
    // Over the main window, the list read afresh.
    void prepareShowing();
    void fillRecordList();
    void btnDeleteClick();

    TfrmDelete& deletionDialog() { return *m_delete; }

  private:
    ProblemSet& m_set;
    Dialogs& m_dialogs;
    QListWidget* m_lstTitle = nullptr;
    TfrmDelete* m_delete = nullptr;
};

} // namespace tavolini
