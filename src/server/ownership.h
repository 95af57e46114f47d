// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/admission.h"
#include "server/answers.h"
#include "server/storage.h"

#include <charconv>
#include <httplib.h>
#include <optional>
#include <string>

namespace tavolini::server {

// The class when it is the teacher's; what is not theirs is not there.
inline std::optional<SchoolClass> classOfTeacher(Storage& storage, RowId classId, const Session& session) {
    std::optional<SchoolClass> found = storage.schoolClass(classId);
    if (!found || found->teacherId != session.accountId) return std::nullopt;
    return found;
}

inline std::optional<Pupil> pupilOfTeacher(Storage& storage, RowId pupilId, const Session& session) {
    std::optional<Pupil> found = storage.pupil(pupilId);
    if (!found || !classOfTeacher(storage, found->classId, session)) return std::nullopt;
    return found;
}

// The id in the path's first group; the patterns allow few enough digits to fit.
inline RowId pathId(const httplib::Request& request) {
    RowId id = 0;
    const std::string text = request.matches[1];
    std::from_chars(text.data(), text.data() + text.size(), id);
    return id;
}

// A teacher's request about one of their classes: admitted and owned, or answered.
template <class Act> httplib::Server::Handler forClass(Storage& storage, Act act) {
    return [&storage, act](const httplib::Request& request, httplib::Response& response) {
        const std::optional<Session> session = admit(request, response, storage, Who::Teacher);
        if (!session) return;
        const std::optional<SchoolClass> schoolClass = classOfTeacher(storage, pathId(request), *session);
        if (!schoolClass) return answerError(response, ApiError::NotFound);
        act(storage, *schoolClass, request, response);
    };
}

template <class Act> httplib::Server::Handler forPupil(Storage& storage, Act act) {
    return [&storage, act](const httplib::Request& request, httplib::Response& response) {
        const std::optional<Session> session = admit(request, response, storage, Who::Teacher);
        if (!session) return;
        const std::optional<Pupil> pupil = pupilOfTeacher(storage, pathId(request), *session);
        if (!pupil) return answerError(response, ApiError::NotFound);
        act(storage, *pupil, response);
    };
}

} // namespace tavolini::server
