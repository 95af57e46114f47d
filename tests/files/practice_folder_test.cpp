// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "files/practice_folder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

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

// The folder is made and seeded once; whatever keeps it from being ready is
// told apart, naming the folder or the shipped file.
TEST(PracticeFolder, SeedsOnceAndSaysWhatKeepsTheFolderFromBeingReady) {
    TempFolder temp;
    writeBytes(temp / "shipped.sim", "<<a\r\nx+y=2;x-y=0\r\n>>\r\n");
    writeBytes(temp / "afile", "not a folder");
    std::filesystem::create_directory(temp / "teacher");
    writeBytes(temp / "teacher/ZUdir.sim", "the teacher's own");
    std::filesystem::create_directory(temp / "locked");
    std::filesystem::permissions(temp / "locked",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const bool superuser = ::geteuid() == 0; // may write into any folder
    const struct {
        std::string folder;
        std::string shipped;
        SeedResult result;
        std::string message;
    } rows[] = {
        {temp / "new/deeper", temp / "shipped.sim", SeedResult::Seeded, ""},
        {temp / "teacher", temp / "shipped.sim", SeedResult::AlreadyThere, ""},
        {temp / "afile", temp / "shipped.sim", SeedResult::NotAFolder,
         temp / "afile" + ":フォルダではないので練習フォルダに使えません"},
        {temp / "afile/below", temp / "shipped.sim", SeedResult::FolderNotMade,
         temp / "afile/below" + ":練習フォルダを作れません"},
        {temp / "empty", temp / "none.sim", SeedResult::ShippedSetMissing,
         temp / "none.sim" + ":ありません。インストールが不完全です"},
        {temp / "locked", temp / "shipped.sim",
         superuser ? SeedResult::Seeded : SeedResult::FolderNotWritable,
         superuser ? "" : temp / "locked" + ":練習フォルダに書き込めません"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(seedPracticeFolder(row.folder, row.shipped), row.result) << row.folder;
        EXPECT_EQ(utf8FromCp932(seedFailureMessage(row.result, row.folder, row.shipped)), row.message);
    }
    EXPECT_EQ(readBytes(temp / "new/deeper/ZUdir.sim"), readBytes(temp / "shipped.sim"));
    EXPECT_EQ(readBytes(temp / "teacher/ZUdir.sim"), "the teacher's own");
    EXPECT_EQ(readBytes(temp / "afile"), "not a folder");
}

} // namespace
} // namespace tavolini
