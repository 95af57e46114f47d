// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/open_storage.h"

#include "server/postgres_storage.h"
#include "server/sqlite_storage.h"

namespace tavolini::server {

std::unique_ptr<Storage> openStorage(const ServerOptions& options) {
    if (!options.databaseUrl.empty()) return std::make_unique<PostgresStorage>(options.databaseUrl);
    return std::make_unique<SqliteStorage>(options.dataFolder);
}

} // namespace tavolini::server
