// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/sessions.h"

#include "server/passwords.h"

#include <chrono>
#include <string_view>

namespace tavolini::server {

namespace {

constexpr std::string_view cookieName = "tavolini_session";

std::string cookie(std::string_view value, Millis maxAgeMillis, bool tls) {
    std::string text = std::string(cookieName) + "=" + std::string(value) +
                       "; HttpOnly; SameSite=Strict; Path=/; Max-Age=" + std::to_string(maxAgeMillis / 1000);
    if (tls) text += "; Secure";
    return text;
}

} // namespace

Millis nowMillis() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

StartedSession startSession(Storage& storage, Role role, RowId accountId, bool tls) {
    const std::string token = randomToken();
    Session session;
    session.tokenHash = tokenHash(token);
    session.role = role;
    session.accountId = accountId;
    session.csrfToken = randomToken();
    const Millis now = nowMillis();
    session.expiresAt = now + sessionLife;
    storage.addSession(session, now);
    return {session, cookie(token, sessionLife, tls)};
}

std::string clearedCookie(bool tls) {
    return cookie("", 0, tls);
}

std::string sessionTokenOf(const httplib::Request& request) {
    // "a=1; tavolini_session=…; b=2", possibly over several Cookie headers.
    const std::size_t count = request.get_header_value_count("Cookie");
    for (std::size_t i = 0; i < count; ++i) {
        const std::string header = request.get_header_value("Cookie", i);
        std::string_view rest = header;
        while (!rest.empty()) {
            const std::size_t end = rest.find(';');
            std::string_view pair = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
            while (!pair.empty() && pair.front() == ' ')
                pair.remove_prefix(1);
            if (pair.size() > cookieName.size() && pair.starts_with(cookieName) &&
                pair[cookieName.size()] == '=')
                return std::string(pair.substr(cookieName.size() + 1));
        }
    }
    return {};
}

std::optional<Session> sessionOf(const httplib::Request& request, Storage& storage) {
    const std::string token = sessionTokenOf(request);
    // A token is 43 characters; anything much longer is not one of ours.
    if (token.empty() || token.size() > 64) return std::nullopt;
    return storage.session(tokenHash(token), nowMillis());
}

std::optional<nlohmann::json> sessionAnswer(Storage& storage, const Session& session) {
    if (session.role == Role::Teacher) {
        const std::optional<Teacher> teacher = storage.teacher(session.accountId);
        if (!teacher) return std::nullopt;
        return nlohmann::json{{"role", "teacher"},
                              {"name", teacher->name},
                              {"csrf", session.csrfToken},
                              {"mustChangePassword", teacher->mustChangePassword}};
    }
    const std::optional<Pupil> pupil = storage.pupil(session.accountId);
    if (!pupil) return std::nullopt;
    const std::optional<SchoolClass> schoolClass = storage.schoolClass(pupil->classId);
    if (!schoolClass) return std::nullopt;
    return nlohmann::json{{"role", "pupil"},
                          {"name", pupil->name},
                          {"csrf", session.csrfToken},
                          {"mustChangePassword", false},
                          {"number", pupil->number},
                          {"classTitle", schoolClass->title},
                          {"classCode", schoolClass->code}};
}

} // namespace tavolini::server
