// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "editing/problem_check.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

struct ProblemSet;

// The editor's two flags: the text was changed since the editor opened, and
// the text as it stands passed the check (or was not changed); and the
// set's lines as the editor opened them.
struct EditSession {
    bool edited = false;
    bool checked = true;
    std::vector<std::string> openedLines;
};

// "問題の編集：" + path, code page 932.
std::string editorCaption(std::string_view path);

void startEditing(EditSession& session, std::vector<std::string> lines);
void noteChange(EditSession& session);

// エラーチェック: the check, remembered when it passes.
ProblemCheck runCheck(EditSession& session, const std::vector<EditorLine>& lines);

// OK: refused with "エラーチェックしてください" (in `messages`) while a change is unchecked. An
// edited text becomes the set's lines and the set is marked unsaved; an
// unedited one leaves the set as it was. True when the editor may close.
bool acceptEdit(const EditSession& session, ProblemSet& set, Messages& messages,
                const std::vector<EditorLine>& lines);

// Whether the text differs from the one the editor opened with: ｷｬﾝｾﾙ,
// Escape and the close box then ask discardQuestion() before closing.
bool differsFromOpened(const EditSession& session, const std::vector<EditorLine>& lines);
std::string discardQuestion(); // "編集した内容を破棄しますか"

} // namespace tavolini
