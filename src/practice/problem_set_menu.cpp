// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/problem_set_menu.h"

#include "core/cp932.h"
#include "files/practice_records.h"

#include <filesystem>

namespace tavolini {
namespace {

// Both patterns match *.sim as well: file names are case-sensitive here.
constexpr const char* OpenFilter = "SIMファイル|*.SIM";
constexpr const char* SaveFilter = "SIMﾌｧｲﾙ|*.SIM";

std::string invalidSetMessage(std::string_view path) {
    return std::string(path) + cp932(":問題が不正です");
}

// "PATH:3行目：単元が「>>」で閉じていません"
std::string unitFaultMessage(std::string_view path, const SetReading& units,
                             const std::vector<std::string>& lines) {
    return std::string(path) + ":" + setFaultMessage(units, lines);
}

std::string noProblemMessage(std::string_view path) {
    return std::string(path) + cp932(":練習できる問題が1つもありません");
}

std::string ownRecordFileMessage(std::string_view path) {
    return std::string(path) + cp932(":この名前では記録ファイルと同じになります（別の名前にしてください）");
}

// A set whose record file would be the set itself: the next completion
// would write the records into the problems.
bool isItsOwnRecordFile(const std::string& path) {
    std::error_code error;
    const auto set = std::filesystem::weakly_canonical(path, error);
    const auto records = std::filesystem::weakly_canonical(recordFilePathOf(path), error);
    return !error && set == records;
}

} // namespace

std::optional<std::string> ProblemSetMenu::readOpenedSet(const std::string& path) {
    const SetFileReading file = readProblemSetFile(m_set, path);
    const std::string& fullPath = m_set.problemSetPath;
    if (file.fault != SetFileFault::None) return setFileMessage(fullPath, file);
    if (isItsOwnRecordFile(fullPath)) return ownRecordFileMessage(fullPath);
    if (const SetReading units = readProblemSet(m_set); units.fault != SetFault::None)
        return unitFaultMessage(fullPath, units, m_set.lines);
    const ProblemTrial trial = tryEveryProblem(m_set);
    if (trial.unusableLines.size() == trial.problems) return noProblemMessage(fullPath);
    return std::nullopt;
}

bool readProblemSetShowing(ProblemSet& set, Dialogs& dialogs) {
    const SetReading units = readProblemSet(set);
    if (units.fault != SetFault::None)
        dialogs.showMessage(unitFaultMessage(set.problemSetPath, units, set.lines));
    return units.fault == SetFault::None;
}

void tellUnusableProblems(const ProblemSet& set, Dialogs& dialogs) {
    const ProblemTrial trial = tryEveryProblem(set);
    if (!trial.unusableLines.empty()) dialogs.showMessage(unusableProblemsMessage(trial));
}

bool ProblemSetMenu::openProblemSet(const std::string& path) {
    if (readOpenedSet(path)) return false;
    m_practice.startProblem(false);
    return true;
}

bool ProblemSetMenu::saveProblemSet() {
    const std::optional<std::string> chosen =
        m_dialogs.chooseSaveFile(cp932(SaveFilter), m_set.problemSetPath);
    if (!chosen || chosen->empty()) return false;
    // Lines that never came from a valid set (a refused file at the start)
    // would only empty the file they are written over.
    if (m_set.lines.empty()) {
        m_dialogs.showMessage(cp932("保存する問題がありません"));
        return false;
    }
    if (isItsOwnRecordFile(absolutePath(*chosen))) {
        m_dialogs.showMessage(ownRecordFileMessage(absolutePath(*chosen)));
        return false;
    }
    // The name as chosen, no extension added; a failed write has said so and
    // keeps the old file.
    Messages messages;
    const bool written = writeProblemSetFile(m_set, messages, *chosen);
    showMessages(m_dialogs, messages);
    if (!written) return false;
    if (const WriteFault fault = m_dialogs.deliverSavedFile(*chosen); fault != WriteFault::None) {
        m_dialogs.showMessage(fileWriteMessage(absolutePath(*chosen), fault));
        return false;
    }
    m_set.problemSetSaved = true;
    m_set.problemSetPath = absolutePath(*chosen);
    if (m_editor != nullptr) m_editor->setEditorCaption(m_set.problemSetPath);
    return true;
}

void ProblemSetMenu::backupProblemSet() {
    m_backup = m_set;
}

// The lines, the path and the tables read from them, so that what is
// practised always matches the lines; positions are left to the flows.
void ProblemSetMenu::restoreProblemSet() {
    m_set.lines = m_backup.lines;
    m_set.problemSetPath = m_backup.problemSetPath;
    m_set.UnitNames = m_backup.UnitNames;
    m_set.ProblemTexts = m_backup.ProblemTexts;
    m_set.problemCounts = m_backup.problemCounts;
    m_set.unitCount = m_backup.unitCount;
}

void ProblemSetMenu::open() {
    // A save that was asked for and did not happen stops the open: the
    // edits stay.
    if (!m_set.problemSetSaved &&
        m_dialogs.ask(cp932("確認"), cp932("ファイルを保存しますか"), Buttons::YesNo) == Reply::Yes &&
        !saveProblemSet())
        return;
    const std::optional<std::string> chosen =
        m_dialogs.chooseOpenFile(cp932(OpenFilter), m_set.problemSetPath);
    if (chosen && openChosen(*chosen)) m_practice.changeUnit();
}

bool ProblemSetMenu::openChosen(const std::string& path) {
    // The set in use as it stands now: after a save the question made, the
    // file just saved.
    backupProblemSet();
    if (const std::optional<std::string> refusal = readOpenedSet(path)) {
        m_dialogs.showMessage(*refusal);
        restoreProblemSet();
        return false;
    }
    tellUnusableProblems(m_set, m_dialogs);
    m_practice.startProblem(false);
    m_set.problemSetSaved = true;
    return true;
}

void ProblemSetMenu::edit() {
    if (m_editor == nullptr) return;
    backupProblemSet();
    switch (m_editor->editProblems()) {
    case EditEnd::Ok:
        if (readProblemSet(m_set).fault == SetFault::None && m_practice.startProblem(false)) {
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
