// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "files/practice_records.h"
#include "files/problem_set.h"
#include "support/as_a_user.h"
#include "support/record_fixtures.h"
#include "support/scripted_dialogs.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tavolini {
namespace {

using Lines = std::vector<std::string>;
using Shown = std::vector<std::string>;

TEST(PracticeRecords, KeepsTheRecordsBesideTheProblemSet) {
    const struct {
        const char* problemSetPath;
        const char* recordFilePath;
    } rows[] = {
        {"/home/pupil/ZUdir.sim", "/home/pupil/ZUdir.rec"},
        {"/home/pupil/set", "/home/pupil/set.rec"},
        {"/home/j.smith/sets/set.SIM", "/home/j.smith/sets/set.rec"}, // a '.' in a folder name stays
        {"/sets/a.b.sim", "/sets/a.rec"},
        {"/sets/.sim", "/sets/.rec"},
        {"ZUdir.sim", "ZUdir.rec"},
        {"", ".rec"},
    };
    for (const auto& row : rows) {
        ProblemSet set;
        set.problemSetPath = row.problemSetPath;
        EXPECT_EQ(recordFilePath(set), row.recordFilePath);
    }
}

TEST(PracticeRecords, WritesDatesWithLeadingZeros) {
    EXPECT_EQ(utf8FromCp932(formatRecordDate({2026, 3, 5, 9, 7})), "2026年03月05日09:07");
    EXPECT_EQ(utf8FromCp932(formatRecordDate({2025, 12, 31, 23, 59})), "2025年12月31日23:59");
    EXPECT_EQ(utf8FromCp932(formatRecordDate({2027, 1, 1, 0, 0})), "2027年01月01日00:00");
}

TEST(PracticeRecords, ReadsOnlyDecimalCountsAndNeverOverflows) {
    const struct {
        const char* value;
        std::int32_t count;
    } rows[] = {
        {"", 0},
        {"0", 0},
        {"12", 12},
        {"007", 7},
        {"12abc", 0},
        {"-3", 0},
        {"+3", 0},
        {"1.5", 0},
        {"３", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999", 2147483647},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readCount(row.value), row.count) << row.value;
}

TEST(PracticeRecords, CountsCompletionsWithTheTimeOfTheLast) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"加減法", 3}});
    PracticeRecords records = fixedClock();
    Messages messages;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(recordPractice(set, records, messages, 1, 2));
    EXPECT_EQ(readBytes(folder / "ZUdir.rec"), cp932("[加減法]\r\n2=3\r\nDATE=2026年03月05日09:09\r\n"));
    EXPECT_TRUE(shownText(messages).empty());
}

// The class server's counts: only problems a unit can have, and no dates.
TEST(PracticeRecords, CountsFromElsewhereMakeARecordFileOfThemAlone) {
    const std::vector<RecordCount> counts{
        {cp932("加減法"), 1, 3}, {cp932("加減法"), 0, 9}, {cp932("加減法"), 6, 9}, {cp932("加減法"), 2, -1},
        {"t", 5, 2147483647},    {cp932("加減法"), 4, 0}, {"a\r\n[b]", 1, 1}};
    EXPECT_EQ(recordFileBytes(counts), cp932("[加減法]\r\n1=3\r\n4=0\r\n[t]\r\n5=2147483647\r\n"));
    EXPECT_EQ(recordFileBytes({}), "");
}

// Today's date as the C library writes it, "2026年12月07日".
std::string todayUtf8() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char date[64] = {};
    std::strftime(date, sizeof date, "%Y年%m月%d日", &local);
    return date;
}

// Every problem of a full unit is counted, the fifth too, and the real clock
// dates the record.
TEST(PracticeRecords, CountsEveryProblemOfAFullUnitDatedByTheClock) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"a", 5}});
    PracticeRecords records; // the program's own clock
    Messages messages;
    const std::string before = todayUtf8();
    for (int problem = 1; problem <= 5; ++problem)
        ASSERT_TRUE(recordPractice(set, records, messages, 1, problem));
    const std::string after = todayUtf8();
    const std::string file = utf8FromCp932(readBytes(folder / "ZUdir.rec"));
    for (int problem = 1; problem <= 5; ++problem)
        EXPECT_NE(file.find("\n" + std::to_string(problem) + "=1\r\n"), std::string::npos) << problem << file;
    const std::size_t date = file.find("DATE=");
    ASSERT_NE(date, std::string::npos);
    const std::string recorded = file.substr(date + 5, before.size());
    EXPECT_TRUE(recorded == before || recorded == after) << recorded << " " << before;
}

TEST(PracticeRecords, AHandEditedCountIsReadSafely) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"Unit A", 2}});
    Messages messages;
    PracticeRecords records = fixedClock();
    writeBytes(folder / "ZUdir.rec", "[UNIT a]\r\n1=lots\r\n2=2147483647\r\n");
    ASSERT_TRUE(recordPractice(set, records, messages, 1, 1));
    ASSERT_TRUE(recordPractice(set, records, messages, 1, 2));
    EXPECT_EQ(readBytes(folder / "ZUdir.rec"),
              cp932("[UNIT a]\r\n1=1\r\n2=2147483647\r\nDATE=2026年03月05日09:08\r\n"));
}

TEST(PracticeRecords, WritesNothingFromACdRomOrOutsideTheSet) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"a", 5}, {"b", 5}});
    Messages messages;
    PracticeRecords fromCdRom = fixedClock();
    fromCdRom.startedFromCdRom = true;
    EXPECT_FALSE(recordPractice(set, fromCdRom, messages, 1, 1));
    PracticeRecords records = fixedClock();
    for (const auto& [unit, problem] : {std::pair{0, 1}, {3, 1}, {17, 1}, {1, 0}, {1, 6}})
        EXPECT_FALSE(recordPractice(set, records, messages, unit, problem));
    EXPECT_FALSE(std::filesystem::exists(folder / "ZUdir.rec"));
    EXPECT_TRUE(shownText(messages).empty());
}

// A record file that cannot be written is named with the cause at every
// completion and at exit; the completions stay held and are counted once it
// can be written.
TEST(PracticeRecords, AFailedWriteSaysWhyAndKeepsTheCompletions) {
    const struct {
        const char* why;
        mode_t folder, file; // 0: none
    } rows[] = {
        {":フォルダがありません", 0, 0},
        {":書き込む権限がありません", 0555, 0},
        {":読み取り専用のファイルなので書き込めません", 0755, 0444},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        ::chmod(folder.path().c_str(), 0777); // for nobody
        ProblemSet set = setIn(folder, {{"a", 1}});
        set.problemSetPath = folder / "sets/ZUdir.sim";
        const std::string path = folder / "sets/ZUdir.rec";
        EXPECT_EQ(asAUser([&] {
                      if (row.folder != 0) std::filesystem::create_directory(folder / "sets");
                      if (row.file != 0) {
                          writeBytes(path, "");
                          ::chmod(path.c_str(), row.file);
                      }
                      ::chmod((folder / "sets").c_str(), row.folder);
                      PracticeRecords records = fixedClock();
                      Messages messages;
                      EXPECT_FALSE(recordPractice(set, records, messages, 1, 1));
                      EXPECT_FALSE(recordPractice(set, records, messages, 1, 1));
                      PracticeRecords atExit = records;
                      EXPECT_FALSE(writeHeldRecords(atExit, messages, WhenBusy::GiveUp));
                      EXPECT_TRUE(atExit.held.empty());
                      const std::string message = "message: " + path + row.why;
                      EXPECT_EQ(shownText(messages), (Shown{message, message, message}));
                      std::filesystem::remove_all(folder / "sets");
                      std::filesystem::create_directory(folder / "sets");
                      EXPECT_TRUE(recordPractice(set, records, messages, 1, 1));
                      EXPECT_EQ(readBytes(path), cp932("[a]\r\n1=3\r\nDATE=2026年03月05日09:09\r\n"));
                      return ::testing::Test::HasFailure() ? 1 : 0;
                  }),
                  0)
            << row.why;
    }
}

// What is at `path`, told without opening a FIFO (that would wait for a writer).
std::string describe(const std::string& path) {
    namespace fs = std::filesystem;
    if (fs::is_fifo(path)) return "fifo";
    if (fs::is_directory(path)) return "folder holding " + readBytes(path + "/keep");
    return readBytes(path);
}

constexpr const char* ProblemSetText = "<<a\r\nx+y=3;x-y=1\r\n>>\r\n";

// Only a record file is written, with a byte order mark kept. Anything else
// stops the recording with one message (an erase the pupil asks for is
// always answered), is never written, and recording resumes once it has
// been moved away.
TEST(PracticeRecords, WritesOnlyARecordFileAndNamesAnythingElseOnce) {
    const struct {
        const char* kind;
        void (*make)(const std::string& path);
        const char* written; // after three completions, before the date; null: kept as it was
    } rows[] = {
        {"a byte order mark", [](const std::string& path) { writeBytes(path, "\xEF\xBB\xBF[a]\r\n1=2\r\n"); },
         "\xEF\xBB\xBF[a]\r\n1=5\r\n"},
        {"a comment and blank lines",
         [](const std::string& path) { writeBytes(path, "; notes\r\n\r\n \r\n"); },
         "; notes\r\n\r\n \r\n[a]\r\n1=3\r\n"},
        {"a problem set", [](const std::string& path) { writeBytes(path, ProblemSetText); }, nullptr},
        {"a line of other text", [](const std::string& path) { writeBytes(path, "[a]\r\n1=2\r\nnotes\r\n"); },
         nullptr},
        {"a link to the problem set",
         [](const std::string& path) {
             writeBytes(std::filesystem::path(path).replace_filename("ZUdir.sim"), ProblemSetText);
             std::filesystem::create_symlink("ZUdir.sim", path);
         },
         nullptr},
        {"a stray byte", [](const std::string& path) { writeBytes(path, "[a]\r\n1=2\xFF\r\n"); }, nullptr},
        {"a NUL", [](const std::string& path) { writeBytes(path, std::string("[a]\r\n1=2\0\r\n", 11)); },
         nullptr},
        {"a FIFO", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0); }, nullptr},
        {"a folder",
         [](const std::string& path) {
             std::filesystem::create_directory(path);
             writeBytes(path + "/keep", "x");
         },
         nullptr},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        const ProblemSet set = setIn(folder, {{"a", 1}});
        const std::string path = folder / "ZUdir.rec";
        row.make(path);
        const std::string before = describe(path);
        PracticeRecords records = fixedClock();
        Messages messages;
        for (int completion = 0; completion < 3; ++completion)
            EXPECT_EQ(recordPractice(set, records, messages, 1, 1), row.written != nullptr) << row.kind;
        if (row.written) {
            EXPECT_EQ(describe(path), row.written + cp932("DATE=2026年03月05日09:09\r\n")) << row.kind;
            EXPECT_TRUE(messages.empty()) << row.kind;
            continue;
        }
        const std::string message = "message: " + path +
                                    ":記録ファイルを読み込めません。記録を止めます"
                                    "（このファイルを移すと新しい記録を始めます）";
        EXPECT_EQ(shownText(messages), Shown{message}) << row.kind;
        EXPECT_FALSE(eraseUnitRecord(set, records, messages, "a"));
        EXPECT_EQ(shownText(messages), (Shown{message, message})) << row.kind;
        EXPECT_EQ(describe(path), before) << row.kind;

        std::filesystem::rename(path, folder / "moved");
        EXPECT_TRUE(recordPractice(set, records, messages, 1, 1)) << row.kind;
        EXPECT_EQ(readBytes(path), cp932("[a]\r\n1=1\r\nDATE=2026年03月05日09:10\r\n")) << row.kind;
        std::filesystem::remove(path);
        row.make(path); // broken again later: that is news
        EXPECT_FALSE(recordPractice(set, records, messages, 1, 1)) << row.kind;
        EXPECT_EQ(shownText(messages).size(), 3u) << row.kind;
    }
}

TEST(PracticeRecords, ErasingWithoutARecordFileCreatesNone) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"a", 1}});
    Messages messages;
    PracticeRecords records = fixedClock();
    EXPECT_TRUE(eraseUnitRecord(set, records, messages, "a"));
    EXPECT_FALSE(std::filesystem::exists(folder / "ZUdir.rec"));
}

TEST(PracticeRecords, TellsCdRomFileSystemsApart) {
    EXPECT_TRUE(isCdRomFileSystem(0x9660));      // ISO 9660
    EXPECT_TRUE(isCdRomFileSystem(0x15013346));  // UDF
    EXPECT_FALSE(isCdRomFileSystem(0xEF53));     // ext4
    EXPECT_FALSE(isCdRomFileSystem(0x01021994)); // tmpfs
    EXPECT_FALSE(isCdRomFileSystem(0));
    EXPECT_FALSE(isOnCdRom("/tmp"));
    EXPECT_FALSE(isOnCdRom("/no/such/folder"));
}

} // namespace
} // namespace tavolini
