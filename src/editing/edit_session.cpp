// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "editing/edit_session.h"

#include "core/cp932.h"
#include "files/problem_set.h"

#include <algorithm>

namespace tavolini {

std::string editorCaption(std::string_view path) {
    return cp932("問題の編集：") + std::string(path);
}

void startEditing(EditSession& session, std::vector<std::string> lines) {
    session = EditSession{};
    session.openedLines = std::move(lines);
}

void noteChange(EditSession& session) {
    session.edited = true;
    session.checked = false;
}

ProblemCheck runCheck(EditSession& session, const std::vector<EditorLine>& lines) {
    ProblemCheck check = checkProblemSet(lines);
    if (check.verdict == CheckVerdict::Passed) session.checked = true;
    return check;
}

bool acceptEdit(const EditSession& session, ProblemSet& set, Messages& messages,
                const std::vector<EditorLine>& lines) {
    if (session.edited && !session.checked) {
        tell(messages, cp932("エラーチェックしてください"));
        return false;
    }
    if (!session.edited) return true;
    // A checked text holds only what the code page can hold.
    set.lines.clear();
    for (const EditorLine& line : lines)
        set.lines.push_back(line.text);
    set.problemSetSaved = false;
    return true;
}

bool differsFromOpened(const EditSession& session, const std::vector<EditorLine>& lines) {
    // Lines the code page cannot hold have stand-in bytes that might read as the old ones.
    return !std::equal(lines.begin(), lines.end(), session.openedLines.begin(), session.openedLines.end(),
                       [](const EditorLine& line, const std::string& opened) {
                           return line.unencodable == 0 && line.text == opened;
                       });
}

std::string discardQuestion() {
    return cp932("編集した内容を破棄しますか");
}

} // namespace tavolini
