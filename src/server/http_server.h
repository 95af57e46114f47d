// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/storage.h"

#include <httplib.h>
#include <string>

namespace tavolini::server {

constexpr std::size_t maxBodyBytes = 1024 * 1024;
// A browser keeps its connection, and httplib a worker with it, for a few
// seconds after each request: a class needs more workers than cores. The
// password hashes, the one heavy work, take turns of their own.
constexpr std::size_t workerThreads = 64;

// Every route of the interface on `server`, the site from `siteFolder` outside
// /api/, and what applies to every answer: the body limit, the security
// headers, the Origin check, storage failures as 503. False when the site's
// folder is not there (the interface still works).
bool setUpServer(httplib::Server& server, Storage& storage, const std::string& siteFolder, bool tls);

// Binds and listens at `port` (0: one the system chooses) with room for a
// class connecting at once; the port, or -1.
int bindServer(httplib::Server& server, const std::string& host, int port);

} // namespace tavolini::server
