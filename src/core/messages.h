// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string>
#include <vector>

namespace tavolini {

// The box a message asks for: a plain message with OK, or the
// abort/retry/ignore box whose answer nobody reads.
enum class MessageBox { Ok, AbortRetryIgnore };

// What the arithmetic, the parser and the operations have to say. They
// append to a list the caller shows in order (or drops, on a trial copy),
// so nothing below the flow talks to the user.
struct Message {
    MessageBox box = MessageBox::Ok;
    std::string text;

    friend bool operator==(const Message&, const Message&) = default;
};

using Messages = std::vector<Message>;

inline void tell(Messages& messages, std::string text) {
    messages.push_back({MessageBox::Ok, std::move(text)});
}

} // namespace tavolini
