// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/practice_folder.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

// An empty $TAVOLINI_HOME counts as unset, as an empty $HOME does.
TEST(PracticeFolder, TakesTavoliniHomeElseTavoliniInTheHomeFolder) {
    struct Row {
        const char* tavoliniHome;
        const char* home;
        std::optional<std::string> folder;
    };
    const Row rows[] = {
        {"/srv/pupil", "/home/x", "/srv/pupil"},   {"/srv/pupil", nullptr, "/srv/pupil"},
        {"", "/home/x", "/home/x/Tavolini"},       {nullptr, "/home/x", "/home/x/Tavolini"},
        {nullptr, "/home/x/", "/home/x/Tavolini"}, {"", nullptr, std::nullopt},
        {nullptr, nullptr, std::nullopt},          {"", "", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(practiceFolder(row.tavoliniHome, row.home), row.folder)
            << (row.tavoliniHome ? row.tavoliniHome : "(null)") << " " << (row.home ? row.home : "(null)");
}

} // namespace
} // namespace tavolini
