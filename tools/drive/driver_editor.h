// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "desktop/platform/deferred.h"
#include "editing/problem_editor.h"

namespace tavolini {

class DriverDialogs;
class TfrmEditQues;

// The real editor dialog, shown without a modal loop and worked by the
// scenario's replies while it is open: "text FILE", "check", "OK", "Cancel".
// A question the editor asks (Cancel with a changed text) takes the next reply.
class DriverEditor final : public ProblemEditor {
  public:
    DriverEditor(Deferred<TfrmEditQues>& dialog, DriverDialogs& replies)
        : m_dialog(dialog), m_replies(replies) {}

    EditEnd editProblems() override;
    void setEditorCaption(std::string_view path) override;

  private:
    void setText(const std::string& file);
    void check();

    Deferred<TfrmEditQues>& m_dialog; // made when first opened, as in the program
    DriverDialogs& m_replies;
};

} // namespace tavolini
