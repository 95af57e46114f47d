// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/sha256.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

// The standard's vectors, and the lengths around the padding's edges (55
// bytes still take one block, 56 take two) and a byte above 0x7F, against
// digests from sha256sum.
TEST(Sha256, KnownDigests) {
    const struct {
        std::string bytes;
        const char* hex;
    } rows[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string("\x00\xff", 2), "06eb7d6a69ee19e5fbdf749018d3d2abfa04bcbd1365db312eb86dc7169389b8"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(sha256Hex(row.bytes), row.hex) << row.bytes.size() << " bytes";
}

} // namespace
} // namespace tavolini
