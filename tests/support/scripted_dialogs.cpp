// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/scripted_dialogs.h"

#include "core/cp932.h"

#include <fstream>
#include <iterator>

namespace tavolini {
namespace {

const char* replyName(Reply reply) {
    switch (reply) {
    case Reply::Ok:
        return "OK";
    case Reply::Yes:
        return "Yes";
    case Reply::No:
        return "No";
    case Reply::Cancel:
        return "Cancel";
    case Reply::Abort:
        return "Abort";
    case Reply::Retry:
        return "Retry";
    case Reply::Ignore:
        return "Ignore";
    }
    return "?";
}

// A question with nothing queued gets the last button of its box: No,
// Cancel or Ignore, the answers that change the least.
Reply fallbackReply(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
        return Reply::No;
    case Buttons::YesNoCancel:
        return Reply::Cancel;
    case Buttons::AbortRetryIgnore:
        return Reply::Ignore;
    }
    return Reply::Ok;
}

template <typename T> std::optional<T> takeFront(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

} // namespace

void ScriptedDialogs::showMessage(std::string_view text) {
    shown.push_back("message: " + utf8FromCp932(text));
}

Reply ScriptedDialogs::ask(std::string_view caption, std::string_view text, Buttons buttons) {
    const std::optional<Reply> queued = takeFront(replies);
    unanswered = unanswered || !queued;
    const Reply reply = queued.value_or(fallbackReply(buttons));
    shown.push_back("question: " + utf8FromCp932(caption) + ": " + utf8FromCp932(text) + " -> " +
                    replyName(reply));
    return reply;
}

std::optional<std::string> ScriptedDialogs::chooseOpenFile(std::string_view filter, std::string_view preset) {
    return answerFileDialog("open: ", filter, preset);
}

std::optional<std::string> ScriptedDialogs::chooseSaveFile(std::string_view filter, std::string_view preset) {
    return answerFileDialog("save: ", filter, preset);
}

WriteFault ScriptedDialogs::deliverSavedFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    delivered.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return deliveryFault;
}

std::optional<std::string> ScriptedDialogs::answerFileDialog(const char* kind, std::string_view filter,
                                                             std::string_view preset) {
    shown.push_back(kind + utf8FromCp932(filter));
    lastPresetPath = preset;
    const auto queued = takeFront(files);
    unanswered = unanswered || !queued;
    return queued.value_or(std::nullopt);
}

std::vector<std::string> shownText(const Messages& messages) {
    ScriptedDialogs dialogs;
    showMessages(dialogs, messages);
    return dialogs.shown;
}

} // namespace tavolini
