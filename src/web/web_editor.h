// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "editing/edit_session.h"
#include "editing/problem_editor.h"
#include "web/web_dialogs.h"

#include <string>

namespace tavolini::web {

// 問題の編集 in the document, with the desktop editor's controls and rules:
// the set's lines as text beside エラーチェック's results, OK and ｷｬﾝｾﾙ. The
// engine sleeps while the teacher types; the page wakes it at the first
// change after the editor opened or showed a check, and it empties the
// results then, as the desktop's does at every change.
class WebEditor final : public ProblemEditor {
  public:
    WebEditor(ProblemSet& set, WebDialogs& dialogs) : m_set(set), m_dialogs(dialogs) {}

    EditEnd editProblems() override;
    // The caption is made from the set's path whenever the editor opens, and
    // nothing saves the set while it is open.
    void setEditorCaption(std::string_view) override {}

  private:
    void open();
    std::vector<EditorLine> currentLines() const;
    // After any reply: a change the page reported is noted once.
    void takeChange();
    void clearResults();
    void compile();
    void showCheck(const ProblemCheck& check, const std::string& text);
    bool accept();
    bool mayCancel();

    ProblemSet& m_set;
    WebDialogs& m_dialogs;
    EditSession m_session;
};

} // namespace tavolini::web
