// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/sql_storage.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tavolini::server {

// The storage on a PostgreSQL server, which several server processes may share.
class PostgresStorage final : public SqlStorage {
  public:
    // Connects, and brings the schema up to date. Throws StorageError.
    explicit PostgresStorage(std::string connectionString);
    ~PostgresStorage() override;
    PostgresStorage(const PostgresStorage&) = delete;
    PostgresStorage& operator=(const PostgresStorage&) = delete;

  private:
    struct Connection;

    void transact(Access access, const std::function<void(SqlTransaction&)>& work) override;
    std::unique_ptr<Connection> lease();
    void giveBack(std::unique_ptr<Connection> connection);

    std::string m_connectionString;
    // Connections no call is using. A call takes one or opens one, so there
    // are never more than calls at once: one per worker thread at most.
    std::mutex m_mutex;
    std::vector<std::unique_ptr<Connection>> m_free;
};

} // namespace tavolini::server
