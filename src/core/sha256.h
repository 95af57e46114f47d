// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string>
#include <string_view>

namespace tavolini {

// SHA-256 of the bytes as 64 lower-case hex digits: the name a problem set
// goes by between the page and the server. Our own, so that the web edition
// computes it in the same code without a library.
std::string sha256Hex(std::string_view bytes);

} // namespace tavolini
