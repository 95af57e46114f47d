// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/sql_transaction.h"

#include <span>
#include <string>
#include <string_view>

namespace tavolini::server {

enum class Dialect { Sqlite, Postgres };

// One step of the schema. Its SQL is written once; the words the dialects
// spell differently are placeholders: {id} (a row id key), {bytes} (a blob).
struct Migration {
    int version = 0;
    std::string_view sql;
};

// Every migration, oldest first; a database at version N has run 1..N.
std::span<const Migration> migrations();

// The migration's SQL as the dialect reads it.
std::string migrationSql(const Migration& migration, Dialect dialect);

// Runs every migration the database has not run, inside `transaction` (so all
// or none), and records them in schema_version.
void migrate(SqlTransaction& transaction, Dialect dialect);

} // namespace tavolini::server
