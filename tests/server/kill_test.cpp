// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
//
// tavolini-server killed (SIGKILL) at random moments while pupils send
// completions, and started again on the same storage: every completion it
// acknowledged is there after each start, none twice, and a resend of one is
// answered as already there. And a backup taken under load holds every
// completion acknowledged before it began.
#include "server/sqlite_storage.h"
#include "support/class_client.h"
#include "support/postgres_cluster.h"
#include "support/server_process.h"
#include "support/temp_folder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace tavolini {
namespace {

using nlohmann::json;

constexpr int Pupils = 4;
constexpr int Kills = 100;

std::string serverProgram() {
    const char* program = std::getenv("TAVOLINI_SERVER_PROGRAM");
    return program != nullptr ? program : "";
}

std::string shippedSet() {
    return readBytes(TAVOLINI_DATA_DIR "/ZUdir.sim");
}

// Each pupil sending completions with new ids, one after another, until
// stopped or the server stops answering; what was acknowledged, and what
// was sent without an answer (kept or not: the page sends it again).
class PupilLoad {
  public:
    PupilLoad(int port, const ReadyServer& ready) {
        for (std::size_t pupil = 0; pupil < ready.pupils.size(); ++pupil)
            m_threads.emplace_back([this, port, &ready, pupil] { send(port, ready, pupil); });
    }
    ~PupilLoad() { stop(); }

    void stop() {
        m_stopped = true;
        for (std::thread& thread : m_threads)
            if (thread.joinable()) thread.join();
    }
    // By pupil index: the ids acknowledged as new so far.
    std::map<std::size_t, std::vector<std::string>> acknowledged() {
        std::lock_guard lock(m_mutex);
        return m_acknowledged;
    }
    std::map<std::size_t, std::vector<std::string>> inDoubt() {
        std::lock_guard lock(m_mutex);
        return m_inDoubt;
    }
    std::vector<std::string> faults() {
        std::lock_guard lock(m_mutex);
        return m_faults;
    }

  private:
    void send(int port, const ReadyServer& ready, std::size_t pupil) {
        ClassClient client(port);
        std::mt19937_64 random(std::random_device{}());
        for (std::size_t sent = pupil; !m_stopped; ++sent) {
            const std::string id = newCompletionId(random);
            const SolvedProblem& problem = ready.problems[sent % ready.problems.size()];
            const Reply reply = client.send(ready.pupils[pupil].session, "POST", "/api/completions",
                                            completionBody(id, ready.setHash, problem));
            std::lock_guard lock(m_mutex);
            if (reply.status == 201) {
                m_acknowledged[pupil].push_back(id);
                continue;
            }
            if (reply.status == 0)
                m_inDoubt[pupil].push_back(id);
            else
                m_faults.push_back("a new completion answered " + std::to_string(reply.status) + " " +
                                   reply.body.dump());
            break;
        }
    }

    std::atomic<bool> m_stopped = false;
    std::mutex m_mutex;
    std::map<std::size_t, std::vector<std::string>> m_acknowledged;
    std::map<std::size_t, std::vector<std::string>> m_inDoubt;
    std::vector<std::string> m_faults;
    std::vector<std::thread> m_threads;
};

// The ids of a pupil's completions as their teacher reads them, each as
// often as it is listed.
std::multiset<std::string> keptIds(ClassClient& client, const ReadyServer& ready, std::size_t pupil) {
    const Reply kept = client.send(ready.teacher, "GET",
                                   "/api/pupils/" + std::to_string(ready.pupils[pupil].id) + "/completions");
    std::multiset<std::string> ids;
    if (kept.status == 200)
        for (const json& completion : kept.body["completions"])
            ids.insert(completion["id"].get<std::string>());
    return ids;
}

// After a start: every acknowledged id once; those in doubt sent again are
// taken (201) exactly when missing; a few acknowledged ones sent again are
// answered as there (200). Those in doubt join the acknowledged.
void checkAfterStart(int port, const ReadyServer& ready,
                     std::map<std::size_t, std::vector<std::string>>& acknowledged,
                     const std::map<std::size_t, std::vector<std::string>>& inDoubt, int kill) {
    ClassClient client(port);
    for (std::size_t pupil = 0; pupil < ready.pupils.size(); ++pupil) {
        const std::multiset<std::string> kept = keptIds(client, ready, pupil);
        for (const std::string& id : kept)
            ASSERT_EQ(kept.count(id), 1u) << "kill " << kill << ": kept twice: " << id;
        for (const std::string& id : acknowledged[pupil])
            ASSERT_EQ(kept.count(id), 1u) << "kill " << kill << ": acknowledged and lost: " << id;
        const auto again = [&](const std::string& id) {
            return client
                .send(ready.pupils[pupil].session, "POST", "/api/completions",
                      completionBody(id, ready.setHash, ready.problems[0]))
                .status;
        };
        if (const auto doubt = inDoubt.find(pupil); doubt != inDoubt.end())
            for (const std::string& id : doubt->second) {
                ASSERT_EQ(again(id), kept.count(id) == 1 ? 200 : 201) << "kill " << kill << ": resent " << id;
                acknowledged[pupil].push_back(id);
            }
        const std::vector<std::string>& ids = acknowledged[pupil];
        if (!ids.empty()) {
            ASSERT_EQ(again(ids[static_cast<std::size_t>(kill) % ids.size()]), 200) << "kill " << kill;
        }
    }
}

void killAndRestart(const std::vector<std::string>& arguments) {
    const std::string program = serverProgram();
    ASSERT_FALSE(program.empty()) << "TAVOLINI_SERVER_PROGRAM names no server";
    auto server = std::make_unique<ServerProcess>(program, arguments);
    ASSERT_TRUE(server->listening()) << server->output();
    const ReadyServer ready = makeReady(server->port(), server->firstPassword(), Pupils, shippedSet());
    ASSERT_EQ(ready.failure, "");

    std::mt19937 random(20261208);
    // From at once to well into the load: some kills land mid-commit.
    std::uniform_int_distribution<int> delay(0, 300);
    std::map<std::size_t, std::vector<std::string>> acknowledged;
    std::size_t total = 0;
    for (int kill = 1; kill <= Kills; ++kill) {
        PupilLoad load(server->port(), ready);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        server->kill();
        load.stop();
        ASSERT_EQ(load.faults(), std::vector<std::string>()) << "kill " << kill;
        for (const auto& [pupil, ids] : load.acknowledged())
            acknowledged[pupil].insert(acknowledged[pupil].end(), ids.begin(), ids.end());

        server = std::make_unique<ServerProcess>(program, arguments);
        ASSERT_TRUE(server->listening()) << "kill " << kill << ": " << server->output();
        ASSERT_NO_FATAL_FAILURE(checkAfterStart(server->port(), ready, acknowledged, load.inDoubt(), kill));
    }
    for (const auto& [pupil, ids] : acknowledged)
        total += ids.size();
    // Kills that never let a completion through would prove nothing.
    EXPECT_GT(total, static_cast<std::size_t>(Kills));
    std::printf("%zu completions acknowledged over %d kills\n", total, Kills);
}

TEST(ServerKill, Sqlite) {
    TempFolder data;
    killAndRestart({"--data", data / "server"});
}

TEST(ServerKill, PostgreSQL) {
    if (!PostgresCluster::installed()) GTEST_SKIP() << "PostgreSQL 15 is not installed";
    PostgresCluster cluster;
    ASSERT_EQ(cluster.failure(), "");
    const std::string url = cluster.createDatabase("tavolini_kill");
    ASSERT_NE(url, "");
    TempFolder data;
    killAndRestart({"--data", data / "server", "--database", url});
}

TEST(ServerBackup, UnderLoadHoldsEveryCompletionAcknowledgedBefore) {
    TempFolder data;
    const std::string program = serverProgram();
    const std::vector<std::string> arguments = {"--data", data / "server"};
    std::map<std::size_t, std::vector<std::string>> before;
    ReadyServer ready;
    {
        ServerProcess server(program, arguments);
        ASSERT_TRUE(server.listening()) << server.output();
        ready = makeReady(server.port(), server.firstPassword(), Pupils, shippedSet());
        ASSERT_EQ(ready.failure, "");
        PupilLoad load(server.port(), ready);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        before = load.acknowledged();
        const ProgramRun backup = runProgram(program, {"--data", data / "server", "--backup", data / "copy"});
        ASSERT_EQ(backup.status, 0) << backup.output;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        load.stop();
        ASSERT_EQ(load.faults(), std::vector<std::string>());
    }
    std::filesystem::create_directories(data / "restored");
    std::filesystem::copy_file(data / "copy", server::sqliteFileIn(data / "restored"));
    ServerProcess restored(program, {"--data", data / "restored"});
    ASSERT_TRUE(restored.listening()) << restored.output();
    ClassClient client(restored.port());
    std::size_t found = 0;
    for (const auto& [pupil, ids] : before) {
        const std::multiset<std::string> kept = keptIds(client, ready, pupil);
        for (const std::string& id : ids)
            EXPECT_EQ(kept.count(id), 1u) << "acknowledged before the backup and not in it: " << id;
        found += ids.size();
    }
    EXPECT_GT(found, 0u);
}

} // namespace
} // namespace tavolini
