// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/server_options.h"
#include "server/storage.h"

#include <memory>

namespace tavolini::server {

// PostgreSQL when the options name a database, else the SQLite file in the
// data folder. Throws StorageError.
std::unique_ptr<Storage> openStorage(const ServerOptions& options);

} // namespace tavolini::server
