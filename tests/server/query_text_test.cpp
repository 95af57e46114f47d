// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/query_text.h"

#include <gtest/gtest.h>

namespace tavolini::server {
namespace {

TEST(QueryText, DecodesOnlyWellFormedQueriesOfTheNamesGiven) {
    using Parameters = std::map<std::string, std::string, std::less<>>;
    const struct {
        const char* target;
        std::optional<Parameters> parameters;
    } rows[] = {
        {"/a", Parameters{}},
        {"/a?", Parameters{}},
        {"/a?name=x.sim", Parameters{{"name", "x.sim"}}},
        {"/a?name=%E9%80%A3+1%2b2%25&encoding=", Parameters{{"name", "連 1+2%"}, {"encoding", ""}}},
        {"/a?name", Parameters{{"name", ""}}},
        {"/a?name=%00", Parameters{{"name", std::string(1, '\0')}}},
        {"/a?na%6De=x", Parameters{{"name", "x"}}},
        {"/a?name=%", std::nullopt},
        {"/a?name=%4", std::nullopt},
        {"/a?name=%G0", std::nullopt},
        {"/a?name=a&name=b", std::nullopt},
        {"/a?name=a&other=b", std::nullopt},
        {"/a?name=a&&encoding=b", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(queryParameters(row.target, {"name", "encoding"}), row.parameters) << row.target;
}

} // namespace
} // namespace tavolini::server
