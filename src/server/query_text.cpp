// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/query_text.h"

#include <algorithm>

namespace tavolini::server {

namespace {

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

std::optional<std::string> percentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '+') {
            decoded += ' ';
        } else if (c != '%') {
            decoded += c;
        } else {
            if (text.size() - at < 3) return std::nullopt;
            const std::optional<int> high = hexDigit(text[at + 1]);
            const std::optional<int> low = hexDigit(text[at + 2]);
            if (!high || !low) return std::nullopt;
            decoded += static_cast<char>(*high * 16 + *low);
            at += 2;
        }
    }
    return decoded;
}

} // namespace

std::optional<std::map<std::string, std::string, std::less<>>>
queryParameters(std::string_view target, std::initializer_list<std::string_view> names) {
    std::map<std::string, std::string, std::less<>> parameters;
    const std::size_t mark = target.find('?');
    if (mark == std::string_view::npos) return parameters;
    std::string_view query = target.substr(mark + 1);
    while (!query.empty()) {
        const std::size_t end = std::min(query.find('&'), query.size());
        const std::string_view pair = query.substr(0, end);
        query.remove_prefix(end == query.size() ? end : end + 1);
        const std::size_t equals = pair.find('=');
        const std::optional<std::string> name = percentDecoded(pair.substr(0, equals));
        const std::optional<std::string> value =
            percentDecoded(equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1));
        if (!name || !value || std::find(names.begin(), names.end(), *name) == names.end() ||
            !parameters.emplace(*name, *value).second)
            return std::nullopt;
    }
    return parameters;
}

} // namespace tavolini::server
