// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/practice_records.h"
#include "files/problem_set.h"
#include "support/kill_loop.h"
#include "support/record_fixtures.h"

#include <gtest/gtest.h>
#include <iostream>

namespace tavolini {
namespace {

// A set of many units' worth of lines, about 400 kB, marked so that two
// sets never share a line.
ProblemSet largeSet(char mark) {
    ProblemSet set;
    for (int i = 0; i < 20000; ++i)
        set.lines.push_back(std::string(1, mark) + std::to_string(i) + "x+y=7;x-y=2");
    return set;
}

// A child saves the new set over the old one again and again and is killed
// at a random moment; the file is then the old set or the new one, whole.
TEST(CrashTest, AKilledSaveLeavesTheOldFileOrTheNewOne) {
    TempFolder folder;
    const std::string path = folder / "ZUdir.sim";
    const ProblemSet newSet = largeSet('b');
    const std::string oldBytes = joinLines(largeSet('a').lines);
    const std::string newBytes = joinLines(newSet.lines);
    int oldSeen = 0;
    int newSeen = 0;
    Messages messages;
    ASSERT_TRUE(killAtRandomMoments(
        300, [&] { ASSERT_TRUE(writeFileAtomically(path, oldBytes)); },
        [&] { writeProblemSetFile(newSet, messages, path); },
        [&] {
            const std::string bytes = readBytes(path);
            ASSERT_TRUE(bytes == oldBytes || bytes == newBytes) << bytes.size() << " bytes";
            ++(bytes == oldBytes ? oldSeen : newSeen);
        }));
    EXPECT_GT(oldSeen, 0); // kills landed both before and after a save replaced the file
    EXPECT_GT(newSeen, 0);
    std::cout << "saves killed: " << oldSeen + newSeen << ", old file " << oldSeen << ", new file " << newSeen
              << '\n';
}

// A child completes problem 1 over and over; after every kill the record
// file reads back whole, with the count it had or a larger one.
TEST(CrashTest, AKilledRecordLeavesAWholeRecordFile) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"加減法", 5}});
    PracticeRecords records = fixedClock();
    Messages messages;
    std::int32_t count = 0;
    int kills = 0;
    ASSERT_TRUE(killAtRandomMoments(
        300, [] {}, [&] { recordPractice(set, records, messages, 1, 1); },
        [&] {
            ++kills;
            const std::string bytes = readBytes(folder / "ZUdir.rec");
            if (bytes.empty() && count == 0) return; // killed before the first record
            const ProfileText profile = parseProfile(bytes);
            const std::int32_t now =
                readCount(readProfileString(profile, set.UnitNames[1], "1").value_or(""));
            ASSERT_EQ(profileBytes(profile), bytes);
            ASSERT_GE(now, count);
            ASSERT_TRUE(readProfileString(profile, set.UnitNames[1], std::string(DateKey)).has_value());
            count = now;
        }));
    EXPECT_GT(count, 1);
    std::cout << "records killed: " << kills << ", completions counted " << count << '\n';
}

} // namespace
} // namespace tavolini
