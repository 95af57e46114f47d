// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Any bytes as the body of every request the class server decodes: nothing
// escapes as an exception or a crash, and what is accepted keeps its bounds.
#include "server/json_requests.h"

#include <cstdint>
#include <cstdlib>

using namespace tavolini::server;

namespace {

void require(bool holds) {
    if (!holds) std::abort();
}

bool within(const std::string& text, std::size_t minBytes, std::size_t maxBytes) {
    return text.size() >= minBytes && text.size() <= maxBytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    if (const auto pupil = decodePupilSignIn(body); pupil.ok())
        require(pupil.value.number >= 1 && pupil.value.number <= 999 && within(pupil.value.password, 1, 128));
    if (const auto teacher = decodeTeacherSignIn(body); teacher.ok())
        require(within(teacher.value.name, 1, 100) && within(teacher.value.password, 1, 128));
    if (const auto change = decodePasswordChange(body); change.ok())
        require(within(change.value.newPassword, 10, 128));
    if (const auto added = decodeNewClass(body); added.ok()) require(within(added.value.title, 1, 100));
    if (const auto pupils = decodeNewPupils(body); pupils.ok()) {
        require(!pupils.value.pupils.empty() && pupils.value.pupils.size() <= 200);
        for (const NewPupil& pupil : pupils.value.pupils)
            require(pupil.number >= 1 && pupil.number <= 999 && within(pupil.name, 1, 100));
    }
    if (const auto completion = decodeCompletion(body); completion.ok()) {
        const CompletionUpload& c = completion.value;
        require(isLowerHex(c.id, 32) && isLowerHex(c.setHash, 64) && c.problem >= 1 && c.problem <= 5 &&
                c.hints >= 0 && c.hints <= 10000 && c.startedAt >= 0 && c.endedAt >= 0);
    }
    return 0;
}
