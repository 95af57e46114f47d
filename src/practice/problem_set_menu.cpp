// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/problem_set_menu.h"

#include "core/cp932.h"

namespace tavolini {
namespace {

// Both patterns match *.sim as well: file names are case-sensitive here.
constexpr const char* OpenFilter = "SIMファイル|*.SIM";
constexpr const char* SaveFilter = "SIMﾌｧｲﾙ|*.SIM";

std::string invalidSetMessage(std::string_view path) { return std::string(path) + cp932(":問題が不正です"); }

} // namespace

bool ProblemSetMenu::openProblemSet(const std::string& path) {
    if (readProblemSetFile(m_set, path) != FileStatus::Read || !readProblemSet(m_set, m_dialogs)) return false;
    m_practice.startProblem(false);
    return true;
}

bool ProblemSetMenu::saveProblemSet() {
    const std::optional<std::string> chosen = m_dialogs.chooseSaveFile(cp932(SaveFilter), m_set.problemSetPath);
    if (!chosen || chosen->empty()) return false;
    // The name as chosen, no extension added; a failed write has said so and
    // keeps the old file.
    if (!writeProblemSetFile(m_set, m_dialogs, *chosen)) return false;
    m_set.problemSetSaved = true;
    m_set.problemSetPath = absolutePath(*chosen);
    if (m_editor != nullptr) m_editor->setEditorCaption(m_set.problemSetPath);
    return true;
}

void ProblemSetMenu::backupProblemSet() {
    m_backupLines = m_set.lines;
    m_backupPath = m_set.problemSetPath;
}

void ProblemSetMenu::restoreProblemSet() {
    m_set.lines = m_backupLines;
    m_set.problemSetPath = m_backupPath;
}

void ProblemSetMenu::open() {
    if (!m_set.problemSetSaved &&
        m_dialogs.ask(cp932("確認"), cp932("ファイルを保存しますか"), Buttons::YesNo) == Reply::Yes)
        saveProblemSet();
    const std::optional<std::string> chosen = m_dialogs.chooseOpenFile(cp932(OpenFilter), m_set.problemSetPath);
    if (chosen && openChosen(*chosen)) m_practice.changeUnit();
}

bool ProblemSetMenu::openChosen(const std::string& path) {
    // The set in use as it stands now: after a save the question made, the
    // file just saved.
    backupProblemSet();
    if (openProblemSet(path)) {
        m_set.problemSetSaved = true;
        return true;
    }
    m_dialogs.showMessage(invalidSetMessage(absolutePath(path)));
    restoreProblemSet();
    return false;
}

void ProblemSetMenu::edit() {
    if (m_editor == nullptr) return;
    backupProblemSet();
    switch (m_editor->editProblems()) {
    case EditEnd::Ok:
        if (readProblemSet(m_set, m_dialogs) && m_practice.startProblem(false)) {
            m_practice.changeUnit();
        } else {
            m_dialogs.showMessage(invalidSetMessage(m_set.problemSetPath));
            restoreProblemSet();
        }
        return;
    case EditEnd::Cancel:
        restoreProblemSet();
        return;
    }
}

bool ProblemSetMenu::mayClose() {
    if (m_set.problemSetSaved) return true;
    switch (m_dialogs.ask(cp932("確認"), cp932("ファイルを保存しますか？"), Buttons::YesNoCancel)) {
    case Reply::Yes:
        return saveProblemSet();
    case Reply::No:
        return true;
    default:
        return false;
    }
}

} // namespace tavolini
