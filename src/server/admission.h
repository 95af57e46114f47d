// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/storage.h"

#include <httplib.h>
#include <optional>

namespace tavolini::server {

enum class Who { SignedIn, Pupil, Teacher };

// Whether a teacher whose password must change may do it (only the change
// itself, sign-out and asking who is signed in).
enum class Gate { PasswordChanged, Open };

// The caller's session when they may make the request: signed in (401), the
// session's CSRF token on a state-changing request (403), the role (404), the
// teacher's password changed (403). Otherwise the refusal is answered.
std::optional<Session> admit(const httplib::Request& request, httplib::Response& response, Storage& storage,
                             Who who, Gate gate = Gate::PasswordChanged);

// A request whose Origin is present and not this server's own; `tls` picks the scheme.
bool fromForeignOrigin(const httplib::Request& request, bool tls);

} // namespace tavolini::server
