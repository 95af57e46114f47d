// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/operation.h"

#include "core/cp932.h"

namespace tavolini {

// operationRow() finds a row by its operation's number.
static_assert([] {
    for (std::size_t i = 0; i < Operations.size(); ++i)
        if (Operations[i].operation != static_cast<Operation>(i)) return false;
    return true;
}());

// The pattern is split at its placeholders while it is still UTF-8: in code
// page 932 a '{' can be the second byte of a double-byte character.
std::string stepSentence(const char* pattern, const SentenceWords& words) {
    const std::string_view text(pattern);
    std::string sentence;
    std::size_t from = 0;
    for (std::size_t at = text.find('{'); at != std::string_view::npos; at = text.find('{', from)) {
        sentence += cp932(text.substr(from, at - from));
        const std::string_view name = text.substr(at, 3);
        sentence += name == "{1}"   ? words.first
                    : name == "{2}" ? words.second
                    : name == "{n}" ? words.typed
                                    : words.value;
        from = at + 3;
    }
    return sentence + cp932(text.substr(from));
}

} // namespace tavolini
