// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/file_lock.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "files/practice_records.h"
#include "support/record_fixtures.h"
#include "support/scripted_dialogs.h"

#include <array>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tavolini {
namespace {

using Status = FileLock::Status;

// Whether another open file description could take the lock on `path` now.
bool lockIsFree(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    const bool free = fd >= 0 && ::fcntl(fd, F_OFD_SETLK, &whole) == 0;
    if (fd >= 0) ::close(fd);
    return free;
}

TEST(RecordLock, LocksOnlyARegularFileAndNeverWaitsOnAFifo) {
    const struct {
        const char* kind;
        const char* name;
        void (*make)(const std::string& path);
        WhenMissing whenMissing;
        Status status;
        std::optional<std::string> bytes; // read under the lock and without it
        WriteFault fault = WriteFault::None;
    } rows[] = {
        {"a file", "r", [](const std::string& path) { writeBytes(path, "x"); }, WhenMissing::Leave,
         Status::Locked, "x"},
        {"nothing", "r", [](const std::string&) {}, WhenMissing::Leave, Status::Missing, std::nullopt},
        {"nothing, created", "r", [](const std::string&) {}, WhenMissing::Create, Status::Locked, ""},
        {"a FIFO", "r", [](const std::string& path) { ::mkfifo(path.c_str(), 0666); }, WhenMissing::Create,
         Status::Unreadable, std::nullopt},
        {"a folder", "r", [](const std::string& path) { std::filesystem::create_directory(path); },
         WhenMissing::Create, Status::Unreadable, std::nullopt},
        {"no folder to create it in", "gone/r", [](const std::string&) {}, WhenMissing::Create,
         Status::Unwritable, std::nullopt, WriteFault::NoFolder},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        const std::string path = folder / row.name;
        row.make(path);
        const FileLock lock(path, row.whenMissing, RecordLockWait);
        EXPECT_EQ(lock.status(), row.status) << row.kind;
        EXPECT_EQ(lock.readAll(), row.bytes) << row.kind;
        EXPECT_EQ(lock.fault(), row.fault) << row.kind;
        if (row.status == Status::Locked) {
            EXPECT_FALSE(lockIsFree(path)) << row.kind;
        }
    }
}

// A copy that waited for the lock while another renamed a new file over the
// path ends up holding the new file, not the replaced one.
TEST(RecordLock, HoldsTheFileThatThePathNamesAfterWaiting) {
    TempFolder folder;
    const std::string path = folder / "ZUdir.rec";
    writeBytes(path, "old");
    std::optional<FileLock> first(std::in_place, path, WhenMissing::Leave, RecordLockWait);
    readWholeFile(path); // closing another descriptor of the file keeps the lock
    ASSERT_FALSE(lockIsFree(path));
    std::optional<std::string> secondRead;
    std::thread second([&] {
        const FileLock lock(path, WhenMissing::Leave, RecordLockWait);
        secondRead = lock.readAll();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // let it wait on the old file
    writeBytes(folder / "new", "new");
    std::filesystem::rename(folder / "new", path);
    first.reset();
    second.join();
    EXPECT_EQ(secondRead, "new");
    EXPECT_TRUE(lockIsFree(path));
}

TEST(RecordLock, TwoCopiesOfTheProgramLoseNoCompletion) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"加減法", 5}});
    constexpr int Completions = 200;
    std::array<pid_t, 2> children{};
    for (pid_t& child : children) {
        child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            PracticeRecords records = fixedClock();
            Messages messages;
            for (int i = 0; i < Completions; ++i)
                recordPractice(set, records, messages, 1, 1);
            ::_exit(writeHeldRecords(records, messages, WhenBusy::GiveUp) ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = -1;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const ProfileText profile = parseProfile(readBytes(folder / "ZUdir.rec"));
    EXPECT_EQ(readCount(readProfileString(profile, set.UnitNames[1], "1").value_or("")), 2 * Completions);
}

// Another copy of the program that keeps the record file for twenty seconds,
// longer than the four waits of a test.
pid_t anotherCopyHolding(const std::string& path) {
    writeBytes(path, "");
    const pid_t child = ::fork();
    if (child == 0) {
        const FileLock lock(path, WhenMissing::Leave, RecordLockWait);
        ::sleep(20);
        ::_exit(0);
    }
    for (int i = 0; i < 100 && lockIsFree(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return child;
}

// While another copy keeps the file, every completion answers within 3.5
// seconds, the first says the file is in use, and none is lost: they are
// written at exit once the file is free.
TEST(RecordLock, ACompletionWaitsForAnotherCopyAtMostThreeSeconds) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"加減法", 5}});
    PracticeRecords records = fixedClock();
    Messages messages;
    const pid_t other = anotherCopyHolding(folder / "ZUdir.rec");
    ASSERT_FALSE(lockIsFree(folder / "ZUdir.rec"));
    for (int completion = 0; completion < 2; ++completion) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(recordPractice(set, records, messages, 1, 1));
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_GE(waited, RecordLockWait);
        EXPECT_LT(waited, std::chrono::milliseconds(3500));
    }
    // Erasing, or leaving while the file is still in use, cannot wait for it.
    EXPECT_FALSE(eraseUnitRecord(set, records, messages, set.UnitNames[1]));
    PracticeRecords atExit = records;
    EXPECT_FALSE(writeHeldRecords(atExit, messages, WhenBusy::GiveUp));
    const std::string path = folder / "ZUdir.rec";
    EXPECT_EQ(shownText(messages),
              (std::vector<std::string>{
                  "message: 記録ファイルが使用中です（記録は後で書きます）",
                  "message: " + path +
                      ":記録ファイルが使用中です（記録は消していません。後でもう一度消してください）",
                  "message: " + path + ":記録ファイルが使用中です（解いた記録を書けませんでした）"}));
    EXPECT_EQ(readBytes(path), "");
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    EXPECT_TRUE(writeHeldRecords(records, messages, WhenBusy::GiveUp));
    EXPECT_EQ(readBytes(folder / "ZUdir.rec"), cp932("[加減法]\r\n1=2\r\nDATE=2026年03月05日09:08\r\n"));
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_TRUE(records.held.empty());
}

} // namespace
} // namespace tavolini
