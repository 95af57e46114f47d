// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string_view>

namespace tavolini {

// Escape and the close box end the editor as its ｷｬﾝｾﾙ button does.
enum class EditEnd { Ok, Cancel };

// The problem-set editor as the menu flows see it: the window shows the real
// one, tests and the scenario driver their own.
class ProblemEditor {
  public:
    virtual ~ProblemEditor() = default;

    // Runs the editor modally over the problem set's lines. On OK an edited
    // text has become the lines, marked unsaved; otherwise they are as before.
    virtual EditEnd editProblems() = 0;

    // The caption names the problem set's file.
    virtual void setEditorCaption(std::string_view path) = 0;
};

} // namespace tavolini
