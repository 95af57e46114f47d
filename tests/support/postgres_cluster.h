// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

// A private PostgreSQL 15 for a test: made with initdb in a folder under /tmp,
// listening only on a Unix socket in that folder, fsync on; stopped and
// removed with the object. PostgreSQL refuses to run as root, so as root it
// runs as the postgres user.
class PostgresCluster {
  public:
    // Whether PostgreSQL 15's programs are installed.
    static bool installed();

    // Starts the cluster (a few seconds); see failure().
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // Why the cluster did not start; empty when it runs.
    const std::string& failure() const { return m_failure; }

    // Makes an empty database and gives its connection string; empty on failure.
    std::string createDatabase(std::string_view name);
    std::string connectionString(std::string_view database) const;
    const std::string& folder() const { return m_folder; }

  private:
    bool runAsOwner(const std::string& program, const std::vector<std::string>& arguments);

    std::string m_folder;
    std::string m_failure;
    bool m_running = false;
};

} // namespace tavolini
