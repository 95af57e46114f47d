// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/sql_storage.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace tavolini::server {

// The database file in the data folder.
std::string sqliteFileIn(const std::string& dataFolder);

// The embedded default: one file in the data folder, in WAL mode with full
// sync, so a completion is on the disk once its call returns.
class SqliteStorage final : public SqlStorage, private SqlTransaction {
  public:
    // Makes the folder (mode 0700) and the file when missing and brings the
    // schema up to date. Throws StorageError.
    explicit SqliteStorage(const std::string& dataFolder);
    ~SqliteStorage() override;
    SqliteStorage(const SqliteStorage&) = delete;
    SqliteStorage& operator=(const SqliteStorage&) = delete;

  private:
    struct Closer {
        void operator()(sqlite3* database) const;
    };
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    using PreparedStatement = std::unique_ptr<sqlite3_stmt, Finalizer>;

    void transact(Access access, const std::function<void(SqlTransaction&)>& work) override;
    std::vector<SqlRow> run(std::string_view sql, std::span<const SqlValue> parameters) override;
    void runScript(std::string_view sql) override;
    sqlite3_stmt* prepared(std::string_view sql);

    // One connection for every thread: SQLite lets one writer in at a time
    // anyway, and each write waits for its own fsync, so more connections would
    // only queue on the file's lock (and meet SQLITE_BUSY) instead of here.
    std::mutex m_mutex;
    std::unique_ptr<sqlite3, Closer> m_database;
    std::unordered_map<std::string_view, PreparedStatement> m_statements;
};

// Copies the data folder's database into `file` with SQLite's online backup,
// while a server may be writing to it: through `file`.tmp, renamed into place
// only when whole. Throws StorageError.
void backupSqlite(const std::string& dataFolder, const std::string& file);

} // namespace tavolini::server
