// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/storage.h"

#include <httplib.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace tavolini::server {

constexpr Millis sessionLife = 8 * 60 * 60 * 1000;

Millis nowMillis();

// A new session for the account, kept by the storage, and the cookie that carries it.
struct StartedSession {
    Session session;
    std::string setCookie;
};
StartedSession startSession(Storage& storage, Role role, RowId accountId, bool tls);
std::string clearedCookie(bool tls);

// The session the request's cookie names, while it lasts.
std::optional<Session> sessionOf(const httplib::Request& request, Storage& storage);
std::string sessionTokenOf(const httplib::Request& request);

// What GET /api/session answers; nothing when the account is gone.
std::optional<nlohmann::json> sessionAnswer(Storage& storage, const Session& session);

} // namespace tavolini::server
