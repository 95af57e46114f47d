// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tavolini::server {

// The parameters of the query in a request's target ("/path?a=1&b=x%20y"),
// percent-decoded, '+' read as a space. Nothing when it is not exactly
// parameters of `names`, each at most once, with every '%' followed by two
// hex digits (so that a value is never guessed at).
std::optional<std::map<std::string, std::string, std::less<>>>
queryParameters(std::string_view target, std::initializer_list<std::string_view> names);

} // namespace tavolini::server
