// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/postgres_storage.h"
#include "server/sqlite_storage.h"
#include "support/postgres_cluster.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <tuple>

namespace tavolini::server {
namespace {

enum class Kind { Sqlite, Postgres };

PostgresCluster& sharedCluster() {
    static PostgresCluster cluster;
    return cluster;
}

class StorageTest : public testing::TestWithParam<Kind> {
  protected:
    void SetUp() override {
        if (GetParam() == Kind::Sqlite) return;
        if (!PostgresCluster::installed()) GTEST_SKIP() << "PostgreSQL 15 (initdb) is not installed";
        ASSERT_EQ(sharedCluster().failure(), "");
        static int databases = 0;
        m_url = sharedCluster().createDatabase("storage" + std::to_string(++databases));
        ASSERT_NE(m_url, "");
    }

    std::unique_ptr<Storage> open() const {
        if (GetParam() == Kind::Sqlite) return std::make_unique<SqliteStorage>(dataFolder());
        return std::make_unique<PostgresStorage>(m_url);
    }
    std::string dataFolder() const { return m_folder / "data"; }

    TempFolder m_folder;
    std::string m_url;
};

Completion completionOf(RowId pupil, std::string clientId, Millis endedAt) {
    return {std::move(clientId),
            pupil,
            std::string(64, 'a'),
            "連立方程式 その1",
            "加減法",
            3,
            "x+y=5\nx-y=1\n",
            2,
            endedAt - 1000,
            endedAt,
            endedAt + 5};
}

TEST_P(StorageTest, AccountsClassesAndPupilsAreFoundAndUnique) {
    const auto storage = open();
    EXPECT_EQ(storage->teacherCount(), 0);
    const RowId sato = storage->addTeacher("佐藤", "hash1", true);
    const RowId ito = storage->addTeacher("伊藤", "hash2", false);
    storage->setTeacherPassword(sato, "hash3", false);
    EXPECT_EQ(storage->teacherCount(), 2);
    const Teacher found = *storage->teacherNamed("佐藤");
    EXPECT_EQ(found.id, sato);
    EXPECT_EQ(found.passwordHash, "hash3");
    EXPECT_FALSE(found.mustChangePassword);
    EXPECT_EQ(storage->teacher(ito)->name, "伊藤");
    EXPECT_FALSE(storage->teacher(ito + sato + 1));
    EXPECT_FALSE(storage->teacherNamed("鈴木"));

    const std::optional<RowId> first = storage->addClass(sato, "1組", "ABCD");
    const std::optional<RowId> second = storage->addClass(sato, "2組", "EFGH");
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(storage->addClass(ito, "3組", "ABCD")) << "a code is unique on the server";
    EXPECT_THROW(storage->addClass(ito + sato + 1, "4組", "IJKL"), StorageError) << "no such teacher";
    EXPECT_EQ(storage->classWithCode("EFGH")->title, "2組");
    EXPECT_EQ(storage->schoolClass(*first)->teacherId, sato);
    EXPECT_FALSE(storage->classWithCode("ZZZZ"));
    ASSERT_EQ(storage->classesOf(sato).size(), 2u);
    EXPECT_TRUE(storage->classesOf(ito).empty());

    const struct {
        RowId classId;
        int number;
        bool added;
    } pupils[] = {{*first, 12, true}, {*first, 3, true}, {*first, 12, false}, {*second, 12, true}};
    for (const auto& row : pupils)
        EXPECT_EQ(storage->addPupil(row.classId, row.number, "生徒", "p").has_value(), row.added)
            << row.classId << " " << row.number;
    const std::vector<Pupil> inFirst = storage->pupilsOf(*first);
    ASSERT_EQ(inFirst.size(), 2u);
    EXPECT_EQ(inFirst[0].number, 3) << "by number";
    storage->setPupilPassword(inFirst[1].id, "new");
    EXPECT_EQ(storage->pupilNumbered(*first, 12)->passwordHash, "new");
    EXPECT_EQ(storage->pupil(inFirst[0].id)->classId, *first);
    EXPECT_FALSE(storage->pupilNumbered(*second, 3));
    EXPECT_THROW(storage->addTeacher(std::string_view("a\0b", 3), "h", false), StorageError)
        << "no NUL inside text";
}

TEST_P(StorageTest, SessionsExpireAndRemovingAPupilRemovesTheirWork) {
    const auto storage = open();
    const RowId teacher = storage->addTeacher("t", "h", false);
    const RowId schoolClass = *storage->addClass(teacher, "c", "CODE");
    const RowId gone = *storage->addPupil(schoolClass, 1, "a", "h");
    const RowId stays = *storage->addPupil(schoolClass, 2, "b", "h");
    // The teacher's id may equal a pupil's: sessions are by role and id.
    const struct {
        std::string hash;
        Role role;
        RowId account;
        bool afterRemoval;
    } sessions[] = {{"pupil-gone-1", Role::Pupil, gone, false},
                    {"pupil-gone-2", Role::Pupil, gone, false},
                    {"pupil-stays", Role::Pupil, stays, true},
                    {"teacher-same-id", Role::Teacher, gone, true}};
    storage->addSession({"short", Role::Pupil, stays, "csrf-short", 5'000}, 0);
    for (const auto& row : sessions)
        storage->addSession({row.hash, row.role, row.account, "csrf-" + row.hash, 10'000}, 0);
    storage->addSession({"later", Role::Teacher, stays, "csrf-later", 20'000}, 6'000);
    EXPECT_FALSE(storage->session("short", 0)) << "an expired session goes when another starts";
    const std::optional<Session> session = storage->session("teacher-same-id", 9'999);
    ASSERT_TRUE(session);
    EXPECT_EQ(session->role, Role::Teacher);
    EXPECT_EQ(session->csrfToken, "csrf-teacher-same-id");
    EXPECT_FALSE(storage->session("teacher-same-id", 10'000)) << "expired";

    storage->addCompletion(completionOf(gone, "c1", 100));
    storage->addCompletion(completionOf(stays, "c1", 100));
    storage->removePupil(gone);
    EXPECT_FALSE(storage->pupil(gone));
    for (const auto& row : sessions)
        EXPECT_EQ(storage->session(row.hash, 0).has_value(), row.afterRemoval) << row.hash;
    EXPECT_TRUE(storage->completionsOf(gone).empty());
    EXPECT_EQ(storage->completionsOf(stays).size(), 1u);

    storage->removeSession("pupil-stays");
    storage->removeSessionsOf(Role::Teacher, gone);
    for (const auto& row : sessions)
        EXPECT_FALSE(storage->session(row.hash, 0)) << row.hash;
}

TEST_P(StorageTest, CompletionsAndSetsAreKeptOnce) {
    const auto storage = open();
    const RowId teacher = storage->addTeacher("t", "h", false);
    const RowId schoolClass = *storage->addClass(teacher, "c", "CODE");
    const RowId a = *storage->addPupil(schoolClass, 1, "a", "h");
    const RowId b = *storage->addPupil(schoolClass, 2, "b", "h");
    const struct {
        RowId pupil;
        std::string clientId;
        Millis endedAt;
        Added added;
    } sent[] = {{a, "late", 1'765'000'000'000, Added::New},
                {a, "early", 1'700'000'000'000, Added::New},
                {a, "late", 1'765'000'000'000, Added::AlreadyThere},
                {b, "late", 1'765'000'000'000, Added::New}};
    for (const auto& row : sent)
        EXPECT_EQ(storage->addCompletion(completionOf(row.pupil, row.clientId, row.endedAt)), row.added);
    const std::vector<Completion> kept = storage->completionsOf(a);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].clientId, "early") << "oldest first";
    const Completion expected = completionOf(a, "late", 1'765'000'000'000);
    const Completion& late = kept[1];
    EXPECT_EQ(std::tie(late.pupilId, late.setHash, late.setName, late.unitTitle, late.problem, late.steps,
                       late.hints, late.startedAt, late.endedAt, late.receivedAt),
              std::tie(expected.pupilId, expected.setHash, expected.setName, expected.unitTitle,
                       expected.problem, expected.steps, expected.hints, expected.startedAt, expected.endedAt,
                       expected.receivedAt));

    const std::string bytes("\x00\xff\x81\x5c\r\n", 6); // any bytes, NUL and Shift_JIS among them
    storage->addProblemSet("h1", bytes);
    storage->addProblemSet("h1", "other bytes");
    EXPECT_EQ(storage->problemSet("h1"), bytes);
    EXPECT_FALSE(storage->problemSet("h2"));
}

TEST_P(StorageTest, HandedSetsAndTheClassProgressOnThem) {
    const auto storage = open();
    const RowId t = storage->addTeacher("t", "h", false);
    const RowId u = storage->addTeacher("u", "h", false);
    const RowId mine = *storage->addClass(t, "1組", "MINE");
    const RowId theirs = *storage->addClass(u, "2組", "THEIRS");
    const RowId a = *storage->addPupil(mine, 1, "a", "h");
    const RowId b = *storage->addPupil(mine, 2, "b", "h");
    const RowId c = *storage->addPupil(theirs, 1, "c", "h");
    EXPECT_FALSE(storage->handedSet(mine));
    storage->addProblemSet("h1", "one");
    storage->addProblemSet("h2", "two");
    storage->handOutSet(mine, "h1", "一.sim", 2'000);
    storage->handOutSet(mine, "h2", "二.sim", 1'000);
    EXPECT_THROW(storage->handOutSet(mine, "h9", "x.sim", 3'000), StorageError) << "a set not held";
    const std::optional<HandedSet> handed = storage->handedSet(mine);
    ASSERT_TRUE(handed);
    EXPECT_EQ(std::tie(handed->hash, handed->name, handed->handedAt),
              std::make_tuple(std::string("h2"), std::string("二.sim"), Millis{1'000}))
        << "the one handed out last, whatever its time";
    EXPECT_FALSE(storage->handedSet(theirs));

    const struct {
        RowId pupil;
        const char* hash;
        const char* unit;
        int problem;
        Millis endedAt;
    } done[] = {{a, "h1", "加減法", 1, 10}, {a, "h1", "加減法", 1, 30}, {a, "h1", "加減法", 2, 20},
                {a, "h1", "代入法", 1, 40}, {a, "h2", "加減法", 1, 50}, {b, "h1", "加減法", 1, 5},
                {c, "h1", "加減法", 1, 60}, {c, "h3", "加減法", 1, 70}};
    int serial = 0;
    for (const auto& row : done) {
        Completion completion = completionOf(row.pupil, std::to_string(++serial), row.endedAt);
        completion.setHash = row.hash;
        completion.unitTitle = row.unit;
        completion.problem = row.problem;
        storage->addCompletion(completion);
    }
    using Row = std::tuple<RowId, std::string, int, std::int64_t, Millis>;
    const auto progress = [&](RowId schoolClass, std::string_view hash) {
        std::vector<Row> rows;
        for (const ProblemProgress& p : storage->classProgress(schoolClass, hash))
            rows.emplace_back(p.pupilId, p.unitTitle, p.problem, p.count, p.lastEndedAt);
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    EXPECT_EQ(progress(mine, "h1"), (std::vector<Row>{{a, "代入法", 1, 1, 40},
                                                      {a, "加減法", 1, 2, 30},
                                                      {a, "加減法", 2, 1, 20},
                                                      {b, "加減法", 1, 1, 5}}));
    EXPECT_EQ(progress(theirs, "h1"), (std::vector<Row>{{c, "加減法", 1, 1, 60}}));
    EXPECT_TRUE(progress(mine, "h3").empty());

    const struct {
        RowId teacher;
        const char* hash;
        bool may;
    } seeing[] = {{t, "h1", true},  {t, "h2", true}, {t, "h3", false}, {u, "h1", true},
                  {u, "h2", false}, {u, "h3", true}, {u, "h9", false}};
    for (const auto& row : seeing)
        EXPECT_EQ(storage->teacherMaySeeSet(row.teacher, row.hash), row.may)
            << row.teacher << " " << row.hash;
}

TEST_P(StorageTest, SignInFailuresCountByTimeAndOldOnesGo) {
    const auto storage = open();
    constexpr Millis hour = 60 * 60 * 1000;
    for (const Millis at : {1'000, 59'000, 61'000, 62'000})
        storage->addSignInFailure("account:1:5", at);
    storage->addSignInFailure("address:127.0.0.1", 61'000);
    const struct {
        std::string key;
        Millis since;
        std::int64_t count;
    } counts[] = {{"account:1:5", 0, 4},
                  {"account:1:5", 59'000, 3},
                  {"account:1:5", 62'001, 0},
                  {"address:127.0.0.1", 2'000, 1},
                  {"address:::1", 0, 0}};
    for (const auto& row : counts)
        EXPECT_EQ(storage->signInFailuresSince(row.key, row.since), row.count) << row.key << " " << row.since;
    storage->addSignInFailure("account:1:5", 59'000 + hour);
    EXPECT_EQ(storage->signInFailuresSince("account:1:5", 0), 4) << "the one over an hour older: pruned";
}

TEST_P(StorageTest, EveryThreadsCompletionIsKept) {
    const auto storage = open();
    const RowId teacher = storage->addTeacher("t", "h", false);
    const RowId pupil = *storage->addPupil(*storage->addClass(teacher, "c", "CODE"), 1, "a", "h");
    constexpr int threads = 6;
    constexpr int each = 40;
    std::atomic<int> added = 0;
    std::vector<std::thread> workers;
    for (int thread = 0; thread < threads; ++thread)
        workers.emplace_back([&, thread] {
            for (int sent = 0; sent < each; ++sent) {
                // Every completion twice, as a page resending it would.
                const std::string id = std::to_string(thread) + "-" + std::to_string(sent % (each / 2));
                if (storage->addCompletion(completionOf(pupil, id, sent)) == Added::New) ++added;
            }
        });
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(added, threads * each / 2);
    EXPECT_EQ(storage->completionsOf(pupil).size(), std::size_t(threads * each / 2));
}

TEST_P(StorageTest, ReopeningAndTheBackupKeepEverything) {
    {
        // Two servers starting at once on an empty database: one migrates, both start.
        std::thread other([&] { EXPECT_NO_THROW(open()); });
        EXPECT_NO_THROW(open());
        other.join();
    }
    RowId pupil = 0;
    {
        const auto storage = open();
        const RowId teacher = storage->addTeacher("t", "h", true);
        pupil = *storage->addPupil(*storage->addClass(teacher, "c", "CODE"), 7, "a", "h");
        for (int sent = 0; sent < 50; ++sent)
            storage->addCompletion(completionOf(pupil, std::to_string(sent), sent));
    }
    for (int reopening = 0; reopening < 2; ++reopening) {
        const auto storage = open();
        EXPECT_EQ(storage->teacherCount(), 1);
        EXPECT_EQ(storage->classWithCode("CODE")->title, "c");
        EXPECT_EQ(storage->completionsOf(pupil).size(), 50u);
    }
    if (GetParam() != Kind::Sqlite) return; // PostgreSQL is backed up with pg_dump

    struct stat folder {};
    ASSERT_EQ(::stat(dataFolder().c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    // Backed up while a writer goes on: the copy holds every completion
    // acknowledged before it began, and no gap after them.
    const auto storage = open();
    std::atomic<int> acknowledged = 50;
    std::atomic<bool> backedUp = false;
    std::thread writer([&] {
        for (int sent = 50; !backedUp; ++sent) {
            storage->addCompletion(completionOf(pupil, std::to_string(sent), sent));
            acknowledged = sent + 1;
        }
    });
    while (acknowledged < 80)
        std::this_thread::yield();
    const int before = acknowledged;
    const std::string copyFolder = m_folder / "copy";
    backupSqlite(dataFolder(), m_folder / "copy.sqlite3");
    backedUp = true;
    writer.join();
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.path()))
        EXPECT_EQ(entry.path().filename().string().find("copy.sqlite3."), std::string::npos) << entry.path();
    EXPECT_EQ(std::filesystem::status(m_folder / "copy.sqlite3").permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
        << "the copy holds password hashes";
    ASSERT_EQ(::mkdir(copyFolder.c_str(), 0700), 0);
    std::filesystem::rename(m_folder / "copy.sqlite3", sqliteFileIn(copyFolder));
    const std::vector<Completion> copied = SqliteStorage(copyFolder).completionsOf(pupil);
    EXPECT_GE(copied.size(), std::size_t(before));
    for (std::size_t at = 0; at < copied.size(); ++at)
        EXPECT_EQ(copied[at].clientId, std::to_string(at));
    EXPECT_THROW(backupSqlite(m_folder / "nothing", m_folder / "none.sqlite3"), StorageError);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "none.sqlite3.tmp"));
}

INSTANTIATE_TEST_SUITE_P(BothDatabases, StorageTest, testing::Values(Kind::Sqlite, Kind::Postgres),
                         [](const testing::TestParamInfo<Kind>& info) {
                             return info.param == Kind::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
} // namespace tavolini::server
