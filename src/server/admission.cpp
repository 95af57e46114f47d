// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/admission.h"

#include "server/answers.h"
#include "server/sessions.h"

#include <sodium.h>

namespace tavolini::server {

namespace {

bool changesState(const httplib::Request& request) {
    return request.method == "POST" || request.method == "PUT" || request.method == "DELETE";
}

bool sameSecret(const std::string& given, const std::string& expected) {
    return given.size() == expected.size() && sodium_memcmp(given.data(), expected.data(), given.size()) == 0;
}

} // namespace

std::optional<Session> admit(const httplib::Request& request, httplib::Response& response, Storage& storage,
                             Who who, Gate gate) {
    std::optional<Session> session = sessionOf(request, storage);
    if (!session) {
        answerError(response, ApiError::SignedOut);
        return std::nullopt;
    }
    if (changesState(request) && !sameSecret(request.get_header_value("X-CSRF-Token"), session->csrfToken)) {
        answerError(response, ApiError::Csrf);
        return std::nullopt;
    }
    if ((who == Who::Pupil && session->role != Role::Pupil) ||
        (who == Who::Teacher && session->role != Role::Teacher)) {
        answerError(response, ApiError::NotFound);
        return std::nullopt;
    }
    if (session->role == Role::Teacher && gate == Gate::PasswordChanged) {
        const std::optional<Teacher> teacher = storage.teacher(session->accountId);
        if (!teacher) {
            answerError(response, ApiError::SignedOut);
            return std::nullopt;
        }
        if (teacher->mustChangePassword) {
            answerError(response, ApiError::PasswordChangeRequired);
            return std::nullopt;
        }
    }
    return session;
}

bool fromForeignOrigin(const httplib::Request& request, bool tls) {
    if (!request.has_header("Origin")) return false;
    const std::string own = std::string(tls ? "https://" : "http://") + request.get_header_value("Host");
    return request.get_header_value("Origin") != own;
}

} // namespace tavolini::server
