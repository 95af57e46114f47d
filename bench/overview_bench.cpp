// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
//
// The class overview's time: a class of 40 pupils with 80 completions each on
// the shipped set handed out, over SQLite and a private PostgreSQL; prints the
// median, fastest and slowest of GET /api/classes/{id}/overview as a kept-alive
// client on 127.0.0.1 sees it (the server's time and the loopback's).
#include "core/cp932.h"
#include "core/sha256.h"
#include "core/text_file.h"
#include "files/problem_set.h"
#include "server/http_server.h"
#include "server/passwords.h"
#include "server/postgres_storage.h"
#include "server/sessions.h"
#include "server/sqlite_storage.h"
#include "support/postgres_cluster.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace tavolini::server {
namespace {

constexpr int pupils = 40;
constexpr int completionsEach = 80;
constexpr int runs = 21;

struct Timing {
    double median = 0, fastest = 0, slowest = 0; // milliseconds
    std::size_t bytes = 0;
};

// The class, its pupils and their completions, straight into the storage.
RowId fill(Storage& storage, const std::string& setBytes, const ProblemSet& set) {
    const RowId teacher = storage.addTeacher("t", "h", false);
    const RowId schoolClass = *storage.addClass(teacher, "1年1組", "BENCH");
    const std::string hash = sha256Hex(setBytes);
    storage.addProblemSet(hash, setBytes);
    storage.handOutSet(schoolClass, hash, std::string(DefaultProblemSet), 1);
    std::vector<std::pair<std::string, int>> problems;
    for (int unit = 1; unit <= set.unitCount; ++unit)
        for (int problem = 1; problem <= set.problemCounts[static_cast<std::size_t>(unit)]; ++problem)
            problems.emplace_back(utf8FromCp932(set.UnitNames[static_cast<std::size_t>(unit)]), problem);
    for (int number = 1; number <= pupils; ++number) {
        const RowId pupil = *storage.addPupil(schoolClass, number, "生徒" + std::to_string(number), "h");
        for (int done = 0; done < completionsEach; ++done) {
            const auto& [unit, problem] = problems[static_cast<std::size_t>(done + number) % problems.size()];
            const Millis endedAt = 1'765'000'000'000 + done * 60'000;
            storage.addCompletion({std::to_string(done), pupil, hash, std::string(DefaultProblemSet), unit,
                                   problem, "1+@2", 0, endedAt - 30'000, endedAt, endedAt});
        }
    }
    return schoolClass;
}

Timing timeOverview(Storage& storage, RowId schoolClass, const std::string& siteFolder) {
    httplib::Server server;
    setUpServer(server, storage, siteFolder, false);
    const int port = bindServer(server, "127.0.0.1", 0);
    std::thread listening([&] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const std::string cookie =
        startSession(storage, Role::Teacher, storage.schoolClass(schoolClass)->teacherId, false).setCookie;
    httplib::Client client("127.0.0.1", port);
    client.set_keep_alive(true);
    const httplib::Headers headers = {{"Cookie", cookie.substr(0, cookie.find(';'))}};
    const std::string path = "/api/classes/" + std::to_string(schoolClass) + "/overview";
    std::vector<double> times;
    Timing timing;
    for (int run = 0; run <= runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const httplib::Result result = client.Get(path.c_str(), headers);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (!result || result->status != 200) break;
        timing.bytes = result->body.size();
        if (run > 0) times.push_back(took.count()); // the first warms the caches
    }
    server.stop();
    listening.join();
    if (times.empty()) return timing;
    std::sort(times.begin(), times.end());
    timing.median = times[times.size() / 2];
    timing.fastest = times.front();
    timing.slowest = times.back();
    return timing;
}

void report(const char* database, const Timing& timing) {
    std::printf("%-10s median %.2f ms, fastest %.2f ms, slowest %.2f ms over %d runs; %zu bytes\n", database,
                timing.median, timing.fastest, timing.slowest, runs, timing.bytes);
}

int benchOverview() {
    const FileContents file =
        readWholeFile(std::string(TAVOLINI_DATA_DIR) + "/" + std::string(DefaultProblemSet));
    ProblemSet set;
    set.lines = splitLines(file.bytes);
    if (file.status != FileStatus::Read || readProblemSet(set).fault != SetFault::None) {
        std::fprintf(stderr, "the shipped set does not read\n");
        return 1;
    }
    startSodium();
    TempFolder site;
    {
        TempFolder data;
        SqliteStorage storage(data.path());
        report("SQLite", timeOverview(storage, fill(storage, file.bytes, set), site.path()));
    }
    if (!PostgresCluster::installed()) return 0;
    PostgresCluster cluster;
    const std::string url = cluster.failure().empty() ? cluster.createDatabase("overview") : "";
    if (url.empty()) {
        std::fprintf(stderr, "no PostgreSQL: %s\n", cluster.failure().c_str());
        return 1;
    }
    PostgresStorage storage(url);
    report("PostgreSQL", timeOverview(storage, fill(storage, file.bytes, set), site.path()));
    return 0;
}

} // namespace
} // namespace tavolini::server

int main() {
    return tavolini::server::benchOverview();
}
