// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/storage.h"

#include <httplib.h>
#include <string>

namespace tavolini::server {

constexpr std::size_t maxBodyBytes = 1024 * 1024;
constexpr std::size_t workerThreads = 8;

// Every route of the interface on `server`, the site from `siteFolder` outside
// /api/, and what applies to every answer: the body limit, the security
// headers, the Origin check, storage failures as 503. False when the site's
// folder is not there (the interface still works).
bool setUpServer(httplib::Server& server, Storage& storage, const std::string& siteFolder, bool tls);

} // namespace tavolini::server
