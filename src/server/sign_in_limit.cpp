// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/sign_in_limit.h"

#include "server/sessions.h"

namespace tavolini::server {

namespace {

constexpr std::int64_t failuresAllowed = 10;
constexpr Millis window = 60 * 1000;

} // namespace

SignInLimit::SignInLimit(Storage& storage, std::string accountKey, std::string address)
    : storage_(storage), accountKey_("account:" + std::move(accountKey)), addressKey_("address:" + address) {}

bool SignInLimit::reached() const {
    const Millis since = nowMillis() - window;
    return storage_.signInFailuresSince(accountKey_, since) >= failuresAllowed ||
           storage_.signInFailuresSince(addressKey_, since) >= failuresAllowed;
}

void SignInLimit::addFailure() const {
    const Millis now = nowMillis();
    storage_.addSignInFailure(accountKey_, now);
    storage_.addSignInFailure(addressKey_, now);
}

} // namespace tavolini::server
