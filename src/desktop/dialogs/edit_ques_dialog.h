// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "desktop/platform/deferred.h"
#include "editing/edit_session.h"
#include "editing/problem_check.h"
#include "editing/problem_editor.h"

#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tavolini {

class Dialogs;
struct ProblemSet;

// 問題の編集: the whole problem set as text, with エラーチェック, which lists the
// problems of the first unit that fail. It edits a copy: OK hands an edited
// and checked text to the set; Cancel leaves the set as it was.
class TfrmEditQues final : public QDialog, public ProblemEditor {
    Q_OBJECT

  public:
    TfrmEditQues(ProblemSet& set, Dialogs& dialogs, QWidget* parent = nullptr);

    EditEnd editProblems() override;
    void setEditorCaption(std::string_view path) override;

    // What the dialog does as it is shown: the set's lines into the text,
    // the flags and the result fields fresh, the caption and the focus.
    void prepareShowing();

    void btnCompileClick();
    void btnOkClick();
    // ｷｬﾝｾﾙ, Escape and the close box all end here.
    void reject() override;

  private:
    void createControls();
    void textChanged();
    void clearResults();
    std::vector<EditorLine> currentLines() const;
    void showCheck(const ProblemCheck& check);

    ProblemSet& m_set;
    Dialogs& m_dialogs;
    EditSession m_session;
    QPlainTextEdit* m_memQues = nullptr;
    QLineEdit* m_edtTangen = nullptr;
    QLineEdit* m_edtResult = nullptr;
    QLineEdit* m_edtErTangen = nullptr;
    QListWidget* m_lstErQues = nullptr;
    QPushButton* m_btnCompile = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
};

// The editor as the menu flows see it, made the first time it is opened:
// most runs never open it, and making it takes a fair part of a start.
class DeferredEditor final : public ProblemEditor {
  public:
    explicit DeferredEditor(std::function<std::unique_ptr<TfrmEditQues>()> make)
        : m_dialog(std::move(make)) {}

    EditEnd editProblems() override { return m_dialog->editProblems(); }
    // A dialog not made yet takes the caption when it is shown.
    void setEditorCaption(std::string_view path) override {
        if (m_dialog.made()) m_dialog->setEditorCaption(path);
    }

  private:
    Deferred<TfrmEditQues> m_dialog;
};

} // namespace tavolini
