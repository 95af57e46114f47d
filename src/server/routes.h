// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/storage.h"

#include <httplib.h>

namespace tavolini::server {

// Sessions, sign-in and sign-out, the teacher's password.
void addAccountRoutes(httplib::Server& server, Storage& storage, bool tls);
// Classes and their pupils, for their teacher.
void addClassRoutes(httplib::Server& server, Storage& storage);
// Sets, completions and the ★ counts.
void addCompletionRoutes(httplib::Server& server, Storage& storage);

} // namespace tavolini::server
