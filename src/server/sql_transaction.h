// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavolini::server {

struct Bytes {
    std::string_view bytes;
};

using SqlValue = std::variant<std::int64_t, std::string_view, Bytes>;

// A row's fields as text: integers in decimal, blobs as their bytes.
using SqlRow = std::vector<std::string>;

// One transaction on either database; every failure is a StorageError.
class SqlTransaction {
  public:
    virtual ~SqlTransaction() = default;
    // `sql` is fixed text of ours, kept for the program's life (each connection
    // prepares it once); its parameters are written $1, $2, … in both dialects.
    virtual std::vector<SqlRow> run(std::string_view sql, std::span<const SqlValue> parameters) = 0;
    // Fixed text of ours, perhaps several statements, without parameters.
    virtual void runScript(std::string_view sql) = 0;
};

} // namespace tavolini::server
