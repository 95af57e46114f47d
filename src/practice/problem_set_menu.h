// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"
#include "editing/problem_editor.h"
#include "files/problem_set.h"
#include "practice/practice_flow.h"

#include <optional>
#include <string>

namespace tavolini {

// The file and edit menus' flows: opening another problem set, saving the
// lines, editing them, and the question about unsaved edits when the window
// closes. A failed open or a cancelled edit puts the set back as it was.
// Reads the units of the set's lines as readProblemSet does; when they are
// no set, shows why, naming the file, the line and the fault.
bool readProblemSetShowing(ProblemSet& set, Dialogs& dialogs);

// Says once, for a set just read, which of its problems cannot be practised.
void tellUnusableProblems(const ProblemSet& set, Dialogs& dialogs);

class ProblemSetMenu {
  public:
    ProblemSetMenu(ProblemSet& set, Dialogs& dialogs, PracticeFlow& practice)
        : m_set(set), m_dialogs(dialogs), m_practice(practice) {}

    // The editor the edit flow shows; without one it does nothing.
    void setEditor(ProblemEditor* editor) { m_editor = editor; }

    // Reads the file and, when it is a valid set with a problem that loads,
    // starts its first problem with all positions reset.
    bool openProblemSet(const std::string& path);
    // 保存する: the save dialog, then the lines written atomically and handed
    // on to the user's file by the dialogs.
    bool saveProblemSet();
    void backupProblemSet();
    void restoreProblemSet();

    void open(); // 開く
    // 開く after its dialog: the set at `path` with its first problem started,
    // or the message and the set in use put back. True when it opened.
    bool openChosen(const std::string& path);
    void edit(); // 問題を編集する
    // Asked when the main window is about to close: true when it may.
    bool mayClose();

  private:
    // Reads the file at `path` into the set; the message saying why it cannot
    // be used (the file, its text, its units, no problem that loads), or
    // nothing when it can.
    std::optional<std::string> readOpenedSet(const std::string& path);

    ProblemSet& m_set;
    Dialogs& m_dialogs;
    PracticeFlow& m_practice;
    ProblemEditor* m_editor = nullptr;
    ProblemSet m_backup;
};

} // namespace tavolini
