// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/storage.h"

#include <string>

namespace tavolini::server {

// Failed sign-ins counted in the storage, so that every server process on one
// database shares the count: 10 in a minute for an account or from an address
// and the next attempt is refused without looking at the password.
class SignInLimit {
  public:
    SignInLimit(Storage& storage, std::string accountKey, std::string address);

    bool reached() const;
    void addFailure() const;

  private:
    Storage& storage_;
    std::string accountKey_;
    std::string addressKey_;
};

} // namespace tavolini::server
