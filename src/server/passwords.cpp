// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/passwords.h"

#include <array>
#include <semaphore>
#include <sodium.h>

namespace tavolini::server {

namespace {

// A class signs in at once on a 2-core machine: 2 passes over 19 MiB keeps
// thirty hashes in a few seconds while staying at the recommended minimum.
constexpr unsigned long long passwordPasses = 2;
constexpr std::size_t passwordMemory = 19u * 1024u * 1024u;

// The machine has few cores: more hashes at once would only share them and
// multiply the memory, so the rest of a class's sign-ins wait their turn here.
std::counting_semaphore<> hashingTurns(4);

class HashingTurn {
  public:
    HashingTurn() { hashingTurns.acquire(); }
    ~HashingTurn() { hashingTurns.release(); }
    HashingTurn(const HashingTurn&) = delete;
    HashingTurn& operator=(const HashingTurn&) = delete;
};

// 32 letters each, so that the low five bits of a random byte pick one evenly.
constexpr std::string_view upperAlphabet = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
constexpr std::string_view lowerAlphabet = "abcdefghijkmnpqrstuvwxyz23456789";
static_assert(upperAlphabet.size() == 32 && lowerAlphabet.size() == 32);

std::string randomText(std::string_view alphabet, std::size_t length) {
    std::string bytes(length, '\0');
    randombytes_buf(bytes.data(), bytes.size());
    for (char& c : bytes)
        c = alphabet[static_cast<unsigned char>(c) & 31u];
    return bytes;
}

} // namespace

bool startSodium() {
    static const bool started = sodium_init() >= 0;
    return started;
}

std::optional<std::string> hashPassword(std::string_view password) {
    std::array<char, crypto_pwhash_STRBYTES> out{};
    const HashingTurn turn;
    if (crypto_pwhash_str(out.data(), password.data(), password.size(), passwordPasses, passwordMemory) != 0)
        return std::nullopt;
    return std::string(out.data());
}

bool passwordMatches(std::string_view password, const std::string& hash) {
    const HashingTurn turn;
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

std::string randomToken() {
    std::array<unsigned char, 32> bytes{};
    randombytes_buf(bytes.data(), bytes.size());
    constexpr int variant = sodium_base64_VARIANT_URLSAFE_NO_PADDING;
    std::array<char, sodium_base64_ENCODED_LEN(32, variant)> text{};
    sodium_bin2base64(text.data(), text.size(), bytes.data(), bytes.size(), variant);
    return std::string(text.data());
}

std::string tokenHash(std::string_view token) {
    std::array<unsigned char, crypto_hash_sha256_BYTES> digest{};
    crypto_hash_sha256(digest.data(), reinterpret_cast<const unsigned char*>(token.data()), token.size());
    std::array<char, crypto_hash_sha256_BYTES * 2 + 1> hex{};
    sodium_bin2hex(hex.data(), hex.size(), digest.data(), digest.size());
    return std::string(hex.data());
}

std::string newClassCode() {
    return randomText(upperAlphabet, 8);
}
std::string newPupilPassword() {
    return randomText(lowerAlphabet, 8);
}
// Typed once, at the first sign-in, and changed there.
std::string newTeacherPassword() {
    return randomText(lowerAlphabet, 12);
}

} // namespace tavolini::server
