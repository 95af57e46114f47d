// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/problem_set.h"

#include "support/silent_dialogs.h"
#include "support/temp_folder.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace tavolini {
namespace {

// A set of many units' worth of lines, about 400 kB, marked so that two
// sets never share a line.
ProblemSet largeSet(char mark) {
    ProblemSet set;
    for (int i = 0; i < 20000; ++i) set.lines.push_back(std::string(1, mark) + std::to_string(i) + "x+y=7;x-y=2");
    return set;
}

// A child saves the new set over the old one again and again and is killed
// at a random moment; the file is then the old set or the new one, whole.
TEST(SaveCrash, AKilledSaveLeavesTheOldFileOrTheNewOne) {
    TempFolder folder;
    const std::string path = folder / "ZUdir.sim";
    const ProblemSet newSet = largeSet('b');
    const std::string oldBytes = joinLines(largeSet('a').lines);
    const std::string newBytes = joinLines(newSet.lines);
    // Kills fall anywhere in up to twice the time a child takes to start,
    // save once and end, however fast this machine or this build is.
    const auto started = std::chrono::steady_clock::now();
    const pid_t once = ::fork();
    ASSERT_GE(once, 0);
    if (once == 0) {
        SilentDialogs dialogs;
        ::_exit(writeProblemSetFile(newSet, dialogs, folder / "once.sim") ? 0 : 1);
    }
    int onceStatus = 0;
    ::waitpid(once, &onceStatus, 0);
    ASSERT_EQ(onceStatus, 0);
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<long> delay(0, 2 * saveTime.count()); // microseconds
    int oldSeen = 0;
    int newSeen = 0;
    for (int kill = 0; kill < 300; ++kill) {
        ASSERT_TRUE(writeFileAtomically(path, oldBytes));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SilentDialogs dialogs;
            for (;;) writeProblemSetFile(newSet, dialogs, path);
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string bytes = readBytes(path);
        ASSERT_TRUE(bytes == oldBytes || bytes == newBytes) << "after kill " << kill << ", " << bytes.size() << " bytes";
        ++(bytes == oldBytes ? oldSeen : newSeen);
    }
    // Kills landed both before and after a save replaced the file.
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);
    std::cout << "kills: " << oldSeen + newSeen << ", old file " << oldSeen << ", new file " << newSeen
              << ", one save " << saveTime.count() << " us\n";
}

} // namespace
} // namespace tavolini
