// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/messages.h"
#include "practice/record_lists.h"
#include "support/record_fixtures.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

using Lines = std::vector<std::string>;

TEST(PracticeRecords, ListsTheUnitsOfTheCurrentSetWithStars) {
    TempFolder folder;
    ProblemSet set = setIn(folder, {{"加減法", 3}, {"代入法", 2}, {"old", 1}});
    set.unitCount = 2; // "old" is left from a larger set read earlier
    Messages messages;
    writeBytes(folder / "ZUdir.rec", cp932("[加減法]\r\n1=2\r\n3=x\r\nDATE=2026年03月05日09:07\r\n"
                                           "[old]\r\n1=4\r\nDATE=2020年01月01日00:00\r\n"));
    EXPECT_EQ(utf8(fillRecordList(set, messages)),
              (Lines{"加減法", "2026年03月05日09:07", "  1★★", "  2", "  3", "代入法", "  1", "  2"}));
    EXPECT_EQ(utf8(fillDeletionList(set, messages)), Lines{"加減法"});
}

TEST(PracticeRecords, AnEmptyTitleEndsTheLists) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"a", 1}, {"", 1}, {"c", 1}});
    Messages messages;
    writeBytes(folder / "ZUdir.rec", "[c]\r\n1=1\r\nDATE=d\r\n[]\r\nDATE=d\r\n");
    EXPECT_EQ(fillRecordList(set, messages), (Lines{"a", "  1"}));
    EXPECT_TRUE(fillDeletionList(set, messages).empty());
}

// A missing file lists no records; one that is not a record file lists none
// either, and says why.
TEST(PracticeRecords, AFileWithoutRecordsListsTitlesWithoutStars) {
    for (const char* bytes : {static_cast<const char*>(nullptr), "<<a\r\nx+y=3;x-y=1\r\n>>\r\n"}) {
        TempFolder folder;
        const ProblemSet set = setIn(folder, {{"a", 2}});
        if (bytes) writeBytes(folder / "ZUdir.rec", bytes);
        Messages messages;
        EXPECT_EQ(fillRecordList(set, messages), (Lines{"a", "  1", "  2"}));
        EXPECT_TRUE(fillDeletionList(set, messages).empty());
        const std::string message = "message: " + folder / "ZUdir.rec" +
                                    ":記録ファイルを読み込めません。記録を止めます"
                                    "（このファイルを移すと新しい記録を始めます）";
        EXPECT_EQ(shownText(messages), bytes ? (Lines{message, message}) : Lines{});
    }
}

TEST(PracticeRecords, AHugeCountShowsABoundedRowOfStars) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"a", 1}});
    const ProfileText records = parseProfile("[a]\r\n1=2000000000\r\n");
    const Lines lines = recordListLines(set, records);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].size(), 3 + 2 * static_cast<std::size_t>(MaxStarsShown));
}

TEST(PracticeRecords, ErasingAUnitRemovesItsDateAndStars) {
    TempFolder folder;
    const ProblemSet set = setIn(folder, {{"a", 1}, {"b", 1}});
    PracticeRecords records = fixedClock();
    Messages messages;
    ASSERT_TRUE(recordPractice(set, records, messages, 1, 1));
    ASSERT_TRUE(recordPractice(set, records, messages, 2, 1));
    EXPECT_EQ(fillDeletionList(set, messages), (Lines{"a", "b"}));

    ASSERT_TRUE(eraseUnitRecord(set, records, messages, "a"));
    EXPECT_EQ(utf8(fillRecordList(set, messages)), (Lines{"a", "  1", "b", "2026年03月05日09:08", "  1★"}));
    EXPECT_EQ(fillDeletionList(set, messages), Lines{"b"});

    const std::string before = readBytes(folder / "ZUdir.rec");
    EXPECT_TRUE(eraseUnitRecord(set, records, messages, "a")); // nothing left to erase
    PracticeRecords fromCdRom = records;
    fromCdRom.startedFromCdRom = true;
    EXPECT_FALSE(eraseUnitRecord(set, fromCdRom, messages, "b"));
    EXPECT_EQ(readBytes(folder / "ZUdir.rec"), before);
    EXPECT_TRUE(messages.empty());
}

// 消去 erases only a chosen line: none chosen or one past the list asks for a
// unit; a record that is not erased (records not written) stays listed.
TEST(PracticeRecords, DeletionErasesTheChosenLine) {
    const struct {
        int chosen;
        bool fromCdRom;
        Lines titles;
        bool erased;
        std::size_t shown;
    } rows[] = {
        {-1, false, {"a", "b"}, false, 1}, {2, false, {"a", "b"}, false, 1}, {1, false, {"a"}, true, 0},
        {0, false, {"b"}, true, 0},        {0, true, {"a", "b"}, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chosen);
        TempFolder folder;
        const ProblemSet set = setIn(folder, {{"a", 1}, {"b", 1}});
        PracticeRecords records = fixedClock();
        Messages messages;
        ASSERT_TRUE(recordPractice(set, records, messages, 1, 1));
        ASSERT_TRUE(recordPractice(set, records, messages, 2, 1));
        records.startedFromCdRom = row.fromCdRom;
        RecordDeletion deletion{fillDeletionList(set, messages), row.chosen};
        btnDeleteOneClick(deletion, set, records, messages);
        EXPECT_EQ(deletion.titles, row.titles);
        EXPECT_EQ(deletion.erased, row.erased);
        EXPECT_EQ(fillDeletionList(set, messages), row.titles);
        ASSERT_EQ(messages.size(), row.shown);
        if (row.shown) EXPECT_EQ(utf8FromCp932(messages[0].text), "消去する単元を選んでください");
        if (row.erased) EXPECT_EQ(deletion.chosen, -1);
    }
}

} // namespace
} // namespace tavolini
