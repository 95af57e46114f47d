// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
//
// Pupils completing problems against tavolini-server on 127.0.0.1: makes a
// teacher, classes and pupils through the interface, puts the shipped set,
// then each pupil sends a solved problem every --every milliseconds (0: as
// fast as the server answers) for --seconds; prints the latency of
// POST /api/completions and the verified completions per second.
#include "support/class_client.h"
#include "support/postgres_cluster.h"
#include "support/server_process.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace tavolini {
namespace {

using Clock = std::chrono::steady_clock;

struct LoadOptions {
    std::string server;
    bool postgresql = false;
    int processes = 1;
    int pupils = 40;
    int everyMillis = 2000;
    int seconds = 60;
    int connections = 0; // 0: one for each pupil, as browsers have
};

// The command line, each value checked against its bounds.
std::optional<LoadOptions> readOptions(int argc, char** argv) {
    LoadOptions options;
    const std::map<std::string, std::tuple<int*, int, int>> numbers = {
        {"--processes", {&options.processes, 1, 4}},
        {"--pupils", {&options.pupils, 1, 5000}},
        {"--every", {&options.everyMillis, 0, 60000}},
        {"--seconds", {&options.seconds, 1, 600}},
        {"--connections", {&options.connections, 0, 5000}}};
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string_view value = argv[i + 1];
        if (name == "--server") {
            options.server = value;
        } else if (name == "--database" && (value == "sqlite" || value == "postgresql")) {
            options.postgresql = value == "postgresql";
        } else if (const auto found = numbers.find(name); found != numbers.end()) {
            auto [target, low, high] = found->second;
            const auto [end, fault] = std::from_chars(value.data(), value.data() + value.size(), *target);
            if (fault != std::errc() || end != value.data() + value.size() || *target < low || *target > high)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (argc % 2 == 0 || options.server.empty()) return std::nullopt;
    if (options.connections == 0 || options.connections > options.pupils)
        options.connections = options.pupils;
    return options;
}

// What one connection's thread saw.
struct Tally {
    std::vector<double> latencies; // milliseconds
    std::map<int, std::int64_t> statuses;
    std::vector<std::int64_t> newByPupil;
};

// The pupils at `first`, `first` + step, … over one connection, each sending
// at its own times (spread over the period so that they do not all come at
// once) or, with no period, one after another as fast as answers come.
Tally drive(int port, ReadyServer& ready, const LoadOptions& options, std::size_t first, std::size_t step,
            Clock::time_point start, Clock::time_point end) {
    Tally tally;
    tally.newByPupil.assign(ready.pupils.size(), 0);
    ClassClient client(port);
    std::mt19937_64 random(std::random_device{}());
    const auto period = std::chrono::milliseconds(options.everyMillis);
    std::vector<std::pair<Clock::time_point, std::size_t>> due;
    for (std::size_t pupil = first; pupil < ready.pupils.size(); pupil += step)
        due.emplace_back(start + period * static_cast<long>(pupil) / static_cast<long>(ready.pupils.size()),
                         pupil);
    std::size_t sent = 0;
    for (;;) {
        const auto next = std::min_element(due.begin(), due.end());
        if (next->first >= end) break;
        std::this_thread::sleep_until(next->first);
        const std::size_t pupil = next->second;
        const SolvedProblem& problem = ready.problems[sent++ % ready.problems.size()];
        const std::string body = completionBody(newCompletionId(random), ready.setHash, problem).dump();
        const Clock::time_point asked = Clock::now();
        const Reply reply = client.send(ready.pupils[pupil].session, "POST", "/api/completions", body);
        const Clock::time_point answered = Clock::now();
        tally.latencies.push_back(std::chrono::duration<double, std::milli>(answered - asked).count());
        // No answer is counted by its reason, as a negative status.
        ++tally.statuses[reply.status != 0 ? reply.status : -static_cast<int>(reply.error)];
        if (reply.status == 201) ++tally.newByPupil[pupil];
        next->first = options.everyMillis == 0 ? answered : std::max(next->first + period, answered);
    }
    return tally;
}

double percentile(const std::vector<double>& sorted, double fraction) {
    if (sorted.empty()) return 0;
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(at, sorted.size() - 1)];
}

// The teacher's view of the first pupil holds every completion acknowledged as new.
bool firstPupilComplete(int port, const ReadyServer& ready, std::int64_t acknowledged) {
    ClassClient client(port);
    const Reply kept = client.send(ready.teacher, "GET",
                                   "/api/pupils/" + std::to_string(ready.pupils[0].id) + "/completions");
    return kept.status == 200 && static_cast<std::int64_t>(kept.body["completions"].size()) == acknowledged;
}

int run(const LoadOptions& options) {
    std::unique_ptr<PostgresCluster> cluster;
    std::vector<std::string> arguments;
    TempFolder data;
    arguments = {"--data", data / "server"};
    if (options.postgresql) {
        cluster = std::make_unique<PostgresCluster>();
        const std::string url = cluster->failure().empty() ? cluster->createDatabase("tavolini_load") : "";
        if (url.empty()) {
            std::fprintf(stderr, "no PostgreSQL: %s\n", cluster->failure().c_str());
            return 1;
        }
        arguments.insert(arguments.end(), {"--database", url});
    }
    std::vector<std::unique_ptr<ServerProcess>> servers;
    for (int process = 0; process < options.processes; ++process) {
        servers.push_back(std::make_unique<ServerProcess>(options.server, arguments));
        if (!servers.back()->listening()) {
            std::fprintf(stderr, "the server did not start:\n%s\n", servers.back()->output().c_str());
            return 1;
        }
    }
    ReadyServer ready = makeReady(servers[0]->port(), servers[0]->firstPassword(), options.pupils,
                                  readBytes(TAVOLINI_DATA_DIR "/ZUdir.sim"));
    if (!ready.failure.empty()) {
        std::fprintf(stderr, "%s\n", ready.failure.c_str());
        return 1;
    }

    const Clock::time_point start = Clock::now() + std::chrono::milliseconds(100);
    const Clock::time_point end = start + std::chrono::seconds(options.seconds);
    std::vector<Tally> tallies(static_cast<std::size_t>(options.connections));
    std::vector<std::thread> threads;
    for (std::size_t c = 0; c < tallies.size(); ++c) {
        const int port = servers[c % servers.size()]->port();
        threads.emplace_back(
            [&, c, port] { tallies[c] = drive(port, ready, options, c, tallies.size(), start, end); });
    }
    for (std::thread& thread : threads)
        thread.join();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();

    std::vector<double> latencies;
    std::map<int, std::int64_t> statuses;
    std::int64_t firstPupilNew = 0;
    for (const Tally& tally : tallies) {
        latencies.insert(latencies.end(), tally.latencies.begin(), tally.latencies.end());
        for (const auto& [status, count] : tally.statuses)
            statuses[status] += count;
        firstPupilNew += tally.newByPupil[0];
    }
    std::sort(latencies.begin(), latencies.end());
    const std::int64_t verified = statuses[201];
    std::printf("%s, %d process%s, %d pupils over %d connections, %s for %d s: %lld verified completions "
                "(%.1f/s), POST /api/completions p50 %.2f ms, p99 %.2f ms",
                options.postgresql ? "PostgreSQL" : "SQLite", options.processes,
                options.processes > 1 ? "es" : "", options.pupils, options.connections,
                options.everyMillis == 0
                    ? "as fast as answered"
                    : ("each every " + std::to_string(options.everyMillis) + " ms").c_str(),
                options.seconds, static_cast<long long>(verified), static_cast<double>(verified) / elapsed,
                percentile(latencies, 0.5), percentile(latencies, 0.99));
    for (const auto& [status, count] : statuses)
        if (status < 0)
            std::printf(", %lld unanswered (%s)", static_cast<long long>(count),
                        httplib::to_string(static_cast<httplib::Error>(-status)).c_str());
        else if (status != 201)
            std::printf(", %lld answered %d", static_cast<long long>(count), status);
    std::printf("\nRESULT %.3f %.3f %.1f\n", percentile(latencies, 0.5), percentile(latencies, 0.99),
                static_cast<double>(verified) / elapsed);
    if (!firstPupilComplete(servers[0]->port(), ready, firstPupilNew)) {
        std::fprintf(stderr, "the teacher does not see every completion of the first pupil\n");
        return 1;
    }
    return verified == static_cast<std::int64_t>(latencies.size()) ? 0 : 1;
}

} // namespace
} // namespace tavolini

int main(int argc, char** argv) {
    const std::optional<tavolini::LoadOptions> options = tavolini::readOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "Usage: tavolini_server_load --server PROGRAM [--database sqlite|postgresql]\n"
                             "  [--processes 1..4] [--pupils N] [--every MILLISECONDS, 0: at once]\n"
                             "  [--seconds 1..600] [--connections N, 0: one for each pupil]\n");
        return 2;
    }
    return tavolini::run(*options);
}
