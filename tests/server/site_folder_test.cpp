// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/site_folder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace tavolini::server {
namespace {

TEST(SiteFolder, InstalledBesideTheProgramElseTheBuiltOne) {
    TempFolder prefix;
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::create_directories(prefix / "share/tavolini/site");
    std::filesystem::create_directories(prefix / "share/tavolini/empty");
    writeBytes(prefix / "share/tavolini/site/index.html", "<!DOCTYPE html>");
    const std::string program = prefix / "bin/tavolini-server";
    struct Row {
        std::string program;
        std::string relative;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {program, "../share/tavolini/site", prefix / "share/tavolini/site"},
        {program, "../share/tavolini/empty", "/built"}, // a folder without the page is no site
        {program, "../share/tavolini/none", "/built"},
        {"", "../share/tavolini/site", "/built"}, // the program's place is unknown
    };
    for (const Row& row : rows)
        EXPECT_EQ(siteFolderFor(row.program, row.relative, "/built"), row.expected) << row.relative;
}

} // namespace
} // namespace tavolini::server
