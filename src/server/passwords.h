// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavolini::server {

// libsodium once per process; false when it cannot start (no randomness).
bool startSodium();

// argon2id as libsodium writes it; nothing when the memory is not there.
std::optional<std::string> hashPassword(std::string_view password);
bool passwordMatches(std::string_view password, const std::string& hash);

// 256 random bits, base64url without padding: session and CSRF tokens.
std::string randomToken();
// SHA-256 of the token, lower-case hex: what the storage keeps of a session.
std::string tokenHash(std::string_view token);

// What the teacher hands out and what a pupil types: letters that are not
// confused with one another when read aloud or from paper.
std::string newClassCode();     // 8 upper-case letters and digits
std::string newPupilPassword(); // 8 lower-case letters and digits
std::string newTeacherPassword();

} // namespace tavolini::server
