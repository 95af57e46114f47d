// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/text_file.h"
#include "support/temp_folder.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavolini {
namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(TextFile, SplitsLinesAtEveryKindOfLineEnd) {
    using namespace std::literals;
    const struct {
        const char* name;
        std::string_view text;
        Lines lines;
    } rows[] = {
        {"empty", "", {}},
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lone cr", "a\rb\r", {"a", "b"}},
        {"lone lf", "a\nb\n", {"a", "b"}},
        {"mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"last line without end", "a\r\nb", {"a", "b"}},
        {"lf cr is two ends", "a\n\rb", {"a", "", "b"}},
        {"empty lines", "\r\n\r\n", {"", ""}},
        {"lone cr then crlf", "\r\r\n", {"", ""}},
        // The reader judges a NUL; the split never drops what follows it.
        {"nul kept in its line", "a\r\nb\0c\r\nd"sv, {"a", "b\0c"s, "d"}},
        {"blanks kept", " <<x \r\n>> ", {" <<x ", ">> "}},
        {"bytes kept", "\x82\xa0\xff\x81\r\n", {"\x82\xa0\xff\x81"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(splitLines(row.text), row.lines) << row.name;
}

TEST(TextFile, RandomLinesSurviveAWriteAndReadByteForByte) {
    std::mt19937 random(4);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 60);
    for (int round = 0; round < 200; ++round) {
        Lines lines(static_cast<std::size_t>(length(random) % 12));
        for (std::string& line : lines) {
            for (int n = length(random); n > 0; --n) {
                const char c = static_cast<char>(byte(random));
                if (c != '\r' && c != '\n') line += c;
            }
        }
        const std::string bytes = joinLines(lines);
        EXPECT_EQ(splitLines(bytes), lines);
        std::size_t crlf = 0;
        for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
            ++crlf;
        EXPECT_EQ(crlf, lines.size());
    }
}

TEST(TextFile, ReadsWhatIsThereAndTellsMissingFromUnreadable) {
    TempFolder folder;
    writeBytes(folder / "a.sim", std::string("x\0y", 3));
    const FileContents read = readWholeFile(folder / "a.sim");
    EXPECT_EQ(read.status, FileStatus::Read);
    EXPECT_EQ(read.bytes, std::string("x\0y", 3));

    EXPECT_EQ(readWholeFile(folder / "none.sim").status, FileStatus::Missing);
    EXPECT_EQ(readWholeFile(folder / "no/such/folder.sim").status, FileStatus::Missing);
    EXPECT_EQ(readWholeFile(folder / "a.sim/below").status, FileStatus::Missing);
    EXPECT_EQ(readWholeFile(folder.path()).status, FileStatus::Folder);
}

TEST(TextFile, RefusesWhatIsNotASmallRegularFileWithoutReadingIt) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo.sim").c_str(), 0600), 0); // reading it would wait for ever
    writeBytes(folder / "big.sim", std::string(2000, 'x'));
    std::filesystem::create_directory(folder / "set.sim");
    const struct {
        std::string path;
        std::size_t limit;
        FileStatus status;
    } rows[] = {
        {folder / "fifo.sim", MaxTextFileBytes, FileStatus::NotAFile},
        {"/dev/zero", MaxTextFileBytes, FileStatus::NotAFile},
        {folder / "set.sim", MaxTextFileBytes, FileStatus::Folder},
        {folder / "big.sim", 1999, FileStatus::TooLarge},
        {folder / "big.sim", 2000, FileStatus::Read},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readWholeFile(row.path, row.limit).status, row.status) << row.path;
}

TEST(TextFile, WritesThroughALinkAndRefusesAReadOnlyFile) {
    TempFolder folder;
    writeBytes(folder / "real.sim", "old\r\n");
    std::filesystem::create_symlink("real.sim", folder / "link.sim");
    ASSERT_TRUE(writeFileAtomically(folder / "link.sim", "new\r\n"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.sim"));
    EXPECT_EQ(readBytes(folder / "real.sim"), "new\r\n");

    std::filesystem::permissions(folder / "real.sim", std::filesystem::perms::owner_read);
    EXPECT_TRUE(isReadOnlyFile(folder / "real.sim"));
    EXPECT_FALSE(isReadOnlyFile(folder / "none.sim"));
    EXPECT_FALSE(writeFileAtomically(folder / "link.sim", "newer\r\n"));
    EXPECT_EQ(readBytes(folder / "real.sim"), "new\r\n");
    EXPECT_EQ(folderEntries(folder.path()), (std::vector<std::string>{"link.sim", "real.sim"}));
}

TEST(TextFile, SweepsOnlyStaleUnlockedTemporariesOfItsOwnPattern) {
    TempFolder folder;
    const std::vector<std::string> names = {"set.sim.tmp0123abcd", "ZUdir.rec.tmpdeadbeef",
                                            "set.sim.tmp0123abc",  "set.sim.tmpABCDEF01",
                                            "notes.tmp",           "set.sim"};
    for (const std::string& name : names)
        writeBytes(folder / name, "x");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const std::string& name : names)
        std::filesystem::last_write_time(folder / name, old);
    writeBytes(folder / "fresh.sim.tmp00000000", "being written just now");
    writeBytes(folder / "held.sim.tmp11111111", "being written by another copy");
    std::filesystem::last_write_time(folder / "held.sim.tmp11111111", old);
    const int held = ::open((folder / "held.sim.tmp11111111").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    EXPECT_EQ(removeStaleTemporaries(folder.path()), 2);
    ::close(held);
    EXPECT_EQ(folderEntries(folder.path()),
              (std::vector<std::string>{"fresh.sim.tmp00000000", "held.sim.tmp11111111", "notes.tmp",
                                        "set.sim", "set.sim.tmp0123abc", "set.sim.tmpABCDEF01"}));
}

TEST(TextFile, AnAtomicWriteReplacesTheFileAndKeepsItsPermissions) {
    TempFolder folder;
    const std::string path = folder / "set.sim";
    writeBytes(path, "old old old\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_TRUE(writeFileAtomically(path, "new\r\n"));
    EXPECT_EQ(readBytes(path), "new\r\n");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"set.sim"});

    ASSERT_TRUE(writeFileAtomically(folder / "fresh", ""));
    EXPECT_EQ(readBytes(folder / "fresh"), "");
}

TEST(TextFile, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    TempFolder folder;
    writeBytes(folder / "plain", "a file, not a folder");
    std::filesystem::create_directory(folder / "a folder");
    writeBytes(folder / "a folder/inside", "keeps the folder from being replaced");

    EXPECT_FALSE(writeFileAtomically(folder / "vanished/set.sim", "x"));
    EXPECT_FALSE(writeFileAtomically(folder / "plain/set.sim", "x"));
    EXPECT_FALSE(writeFileAtomically(folder / "a folder", "x")); // the rename fails
    EXPECT_EQ(folderEntries(folder.path()), (std::vector<std::string>{"a folder", "plain"}));
    EXPECT_EQ(folderEntries(folder / "a folder"), std::vector<std::string>{"inside"});
    EXPECT_EQ(readBytes(folder / "plain"), "a file, not a folder");
}

TEST(TextFile, AFullDiskLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder / "set.sim";
    const std::string old(100, 'o');
    writeBytes(path, old);

    // A file size limit fails the write part way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeFileAtomically(path, std::string(1000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"set.sim"});
}

} // namespace
} // namespace tavolini
