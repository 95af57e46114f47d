// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/text_file.h"
#include "support/as_a_user.h"
#include "support/temp_folder.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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
    const struct {
        const char* name;
        bool old, locked, removed;
    } rows[] = {
        {".set.sim.tavolini-Ab12Cd", true, false, true},
        {".ZUdir.rec.tavolini-000000", true, false, true},
        {".fresh.sim.tavolini-Ab12Cd", false, false, false}, // being written just now
        {".held.sim.tavolini-Ab12Cd", true, true, false},    // being written by another copy
        {"notes.tmpdeadbeef", true, false, false},
        {"kadai20241231", true, false, false},
        {"set.sim.tavolini-Ab12Cd", true, false, false}, // not hidden
        {".tavolini-Ab12Cd", true, false, false},        // no name before the mark
        {".set.sim.tavolini-Ab12C", true, false, false},
        {".set.sim.tavolini-Ab-2Cd", true, false, false},
        {".set.sim.tavolini-Ab12Cd~", true, false, false},
        {"set.sim", true, false, false},
    };
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::vector<int> held;
    std::vector<std::string> kept;
    for (const auto& row : rows) {
        writeBytes(folder / row.name, "x");
        if (row.old) std::filesystem::last_write_time(folder / row.name, old);
        if (row.locked) {
            held.push_back(::open((folder / row.name).c_str(), O_RDONLY));
            ASSERT_EQ(::flock(held.back(), LOCK_EX), 0);
        }
        if (!row.removed) kept.push_back(row.name);
    }
    EXPECT_EQ(removeStaleTemporaries(folder.path()), 2);
    for (const int fd : held)
        ::close(fd);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folderEntries(folder.path()), kept);
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

// Only a regular file is replaced and a link to nothing makes its target; a
// folder, pipe, device or socket at the name is refused at once (a pipe is
// never opened, so it cannot block) and left as it was.
TEST(TextFile, ReplacesOnlyARegularFile) {
    TempFolder folder;
    const auto node = [&](const char* name, mode_t type, dev_t device = 0) {
        return ::mknod((folder / name).c_str(), type | 0666, device) == 0;
    };
    std::filesystem::create_symlink("made", folder / "link");
    std::filesystem::create_directory(folder / "folder");
    const struct {
        const char* name;
        bool there; // devices need the superuser
        WriteFault fault;
    } rows[] = {
        {"link", true, WriteFault::None},
        {"folder", true, WriteFault::NotAFile},
        {"pipe", node("pipe", S_IFIFO), WriteFault::NotAFile},
        {"socket", node("socket", S_IFSOCK), WriteFault::NotAFile},
        {"char", node("char", S_IFCHR, makedev(1, 3)), WriteFault::NotAFile},
        {"block", node("block", S_IFBLK, makedev(7, 0)), WriteFault::NotAFile},
    };
    int tried = 0;
    for (const auto& row : rows) {
        if (!row.there) continue;
        ++tried;
        const std::string path = folder / row.name;
        const auto before = std::filesystem::symlink_status(path).type();
        EXPECT_EQ(writeFileAtomically(path, "new").fault, row.fault) << row.name;
        EXPECT_EQ(std::filesystem::symlink_status(path).type(), before) << row.name;
    }
    EXPECT_EQ(readBytes(folder / "made"), "new");
    EXPECT_TRUE(std::filesystem::is_empty(folder / "folder"));
    EXPECT_EQ(fileWriteMessage("f", WriteFault::NotAFile), cp932("f:ふつうのファイルではありません"));
    for (const std::string& name : folderEntries(folder.path()))
        EXPECT_EQ(name.find("tavolini-"), std::string::npos) << name;
    if (tried < 6) GTEST_SKIP() << "device nodes need the superuser";
}

// A tiny file system at `folder`; only the superuser may mount one.
bool mountSmall(const std::string& folder, unsigned long flags) {
    std::filesystem::create_directory(folder);
    return ::geteuid() == 0 && ::mount("tavolini", folder.c_str(), "tmpfs", flags, "size=16k") == 0;
}

TEST(TextFile, AFailedWriteSaysWhyAndLeavesTheOldFileAndNoTemporary) {
    TempFolder folder;
    ::chmod(folder.path().c_str(), 0777); // for nobody
    writeBytes(folder / "plain", "a file, not a folder");
    std::filesystem::create_directory(folder / "locked");
    writeBytes(folder / "locked/set.sim", "old");
    ::chmod((folder / "locked/set.sim").c_str(), 0666);
    ::chmod((folder / "locked").c_str(), 0555);
    writeBytes(folder / "readonly.sim", "old");
    ::chmod((folder / "readonly.sim").c_str(), 0400);
    const bool full = mountSmall(folder / "full", 0);
    const bool readOnly = mountSmall(folder / "ro", MS_RDONLY);
    const struct {
        std::string path;
        const char* why;
        bool runs = true;
    } rows[] = {
        {folder / "gone/set.sim", ":フォルダがありません"},
        {folder / "plain/set.sim", ":フォルダがありません"},
        {folder / "locked/set.sim", ":書き込む権限がありません"},
        {folder / "readonly.sim", ":読み取り専用のファイルなので書き込めません"},
        {folder / std::string(300, 'n'), ":ファイルの名前が長すぎます"},
        {folder / "full/set.sim", ":ディスクがいっぱいです", full},
        {folder / "ro/set.sim", ":読み取り専用のディスクなので書き込めません", readOnly},
    };
    const std::string bytes(100000, 'n');
    for (const auto& row : rows) {
        if (!row.runs) continue;
        const std::string old = readBytes(row.path);
        EXPECT_EQ(fileWriteMessage(row.path, static_cast<WriteFault>(asAUser([&] {
                                       return static_cast<int>(writeFileAtomically(row.path, bytes).fault);
                                   }))),
                  row.path + cp932(row.why));
        EXPECT_TRUE(readBytes(row.path) == old) << row.path;
    }
    for (const std::string inside : {"", "/locked", "/full"})
        for (const std::string& name : folderEntries(folder.path() + inside))
            EXPECT_EQ(name.find("tavolini-"), std::string::npos) << inside << "/" << name;
    for (const std::string mounted : {"/full", "/ro"})
        ::umount((folder.path() + mounted).c_str());
    ::chmod((folder / "locked").c_str(), 0755); // so that the folder can be removed
    if (!full) GTEST_SKIP() << "a full disk needs the superuser";
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
    const bool written = static_cast<bool>(writeFileAtomically(path, std::string(1000, 'n')));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"set.sim"});
}

} // namespace
} // namespace tavolini
