// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace tavolini {

// A stand-in for the program's dialogs: it writes down what would have been
// shown (as UTF-8, for readable assertions) and answers from a queue.
class ScriptedDialogs final : public Dialogs {
  public:
    void showMessage(std::string_view text) override;
    Reply ask(std::string_view caption, std::string_view text, Buttons buttons) override;
    std::optional<std::string> chooseOpenFile(std::string_view filter, std::string_view presetPath) override;
    std::optional<std::string> chooseSaveFile(std::string_view filter, std::string_view presetPath) override;
    WriteFault deliverSavedFile(const std::string& path) override;

    // "message: TEXT", "question: CAPTION: TEXT -> REPLY", "open: FILTER" and
    // "save: FILTER", in the order they happened.
    std::vector<std::string> shown;

    std::deque<Reply> replies;                    // answers to questions, in order
    std::deque<std::optional<std::string>> files; // answers to file dialogs
    std::string lastPresetPath;                   // the name the last file dialog proposed
    std::vector<std::string> delivered;           // the saved files handed on, as written then
    WriteFault deliveryFault = WriteFault::None;  // how handing them on ends
    bool unanswered = false;                      // a question or dialog found its queue empty

  private:
    std::optional<std::string> answerFileDialog(const char* kind, std::string_view filter,
                                                std::string_view preset);
};

// What the pupil would be shown of reported messages, written down as a
// ScriptedDialogs does (a question answered by its fallback).
std::vector<std::string> shownText(const Messages& messages);

} // namespace tavolini
