// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/class_client.h"

#include "core/sha256.h"
#include "server/sessions.h"

#include <atomic>
#include <thread>

namespace tavolini {
namespace {

using nlohmann::json;

constexpr int ClassSize = 40;
// Sign-ins hash a password each; a few at a time keep both cores busy.
constexpr int SignInThreads = 4;

// The teacher's first sign-in, the password changed, and the new session.
bool teacherReady(ClassClient& client, const std::string& firstPassword, ReadyServer& ready) {
    const std::optional<BrowserSession> first =
        client.signIn("/api/teacher/signin", {{"name", "teacher"}, {"password", firstPassword}});
    if (!first) return false;
    ready.teacherPassword = "load-" + firstPassword;
    const Reply changed =
        client.send(*first, "POST", "/api/teacher/password",
                    json{{"password", firstPassword}, {"newPassword", ready.teacherPassword}});
    if (changed.status != 204) return false;
    ready.teacher = *first;
    return true;
}

bool classesMade(ClassClient& client, int pupils, ReadyServer& ready) {
    for (int made = 0; made < pupils; made += ClassSize) {
        const Reply schoolClass = client.send(ready.teacher, "POST", "/api/classes",
                                              json{{"title", "組" + std::to_string(made / ClassSize + 1)}});
        if (schoolClass.status != 201) return false;
        json list = json::array();
        for (int number = 1; number <= std::min(ClassSize, pupils - made); ++number)
            list.push_back({{"number", number}, {"name", "生徒" + std::to_string(made + number)}});
        const std::string path = "/api/classes/" + std::to_string(schoolClass.body["id"].get<std::int64_t>());
        const Reply added = client.send(ready.teacher, "POST", path + "/pupils", json{{"pupils", list}});
        if (added.status != 201) return false;
        for (const json& pupil : added.body["pupils"])
            ready.pupils.push_back(
                {pupil["id"], schoolClass.body["code"], pupil["number"], pupil["password"], {}});
    }
    return true;
}

bool pupilsSignedIn(int port, ReadyServer& ready) {
    std::atomic<std::size_t> next = 0;
    std::atomic<bool> failed = false;
    std::vector<std::thread> threads;
    for (int t = 0; t < SignInThreads; ++t)
        threads.emplace_back([&] {
            ClassClient client(port);
            for (std::size_t at = next++; at < ready.pupils.size() && !failed; at = next++) {
                PupilAccount& pupil = ready.pupils[at];
                const std::optional<BrowserSession> session = client.signIn(
                    "/api/pupil/signin",
                    {{"classCode", pupil.classCode}, {"number", pupil.number}, {"password", pupil.password}});
                if (session)
                    pupil.session = *session;
                else
                    failed = true;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    return !failed;
}

} // namespace

ClassClient::ClassClient(int port) : m_client("127.0.0.1", port) {
    m_client.set_keep_alive(true);
    m_client.set_tcp_nodelay(true);
    m_client.set_connection_timeout(5);
    m_client.set_read_timeout(30);
    m_client.set_write_timeout(30);
}

Reply ClassClient::send(const BrowserSession& session, const std::string& method, const std::string& path,
                        const std::string& body, const std::string& contentType) {
    httplib::Request request;
    request.method = method;
    request.path = path;
    request.body = body;
    if (!session.cookie.empty()) request.set_header("Cookie", session.cookie);
    if (!session.csrf.empty()) request.set_header("X-CSRF-Token", session.csrf);
    if (!body.empty()) request.set_header("Content-Type", contentType);
    const httplib::Result result = m_client.send(request);
    Reply reply;
    reply.error = result.error();
    if (!result) return reply;
    reply.status = result->status;
    reply.body = json::parse(result->body, nullptr, false);
    if (reply.body.is_discarded()) reply.body = json();
    if (const std::string cookie = result->get_header_value("Set-Cookie"); !cookie.empty())
        reply.body["cookie"] = cookie.substr(0, cookie.find(';'));
    return reply;
}

std::optional<BrowserSession> ClassClient::signIn(const std::string& path, const json& body) {
    const Reply reply = send({}, "POST", path, body);
    if (reply.status != 200 || !reply.body.contains("cookie") || !reply.body.contains("csrf"))
        return std::nullopt;
    return BrowserSession{reply.body["cookie"], reply.body["csrf"]};
}

ReadyServer makeReady(int port, const std::string& firstPassword, int pupils, const std::string& setBytes) {
    ReadyServer ready;
    ready.problems = solveEveryProblem(setBytes);
    ready.setHash = sha256Hex(setBytes);
    ClassClient client(port);
    if (ready.problems.empty())
        ready.failure = "the hints solve no problem of the set";
    else if (!teacherReady(client, firstPassword, ready))
        ready.failure = "the first teacher could not sign in and change the password";
    else if (!classesMade(client, pupils, ready))
        ready.failure = "the classes and pupils could not be made";
    else if (client
                 .send(ready.teacher, "PUT", "/api/sets/" + ready.setHash, setBytes,
                       "application/octet-stream")
                 .status != 204)
        ready.failure = "the set could not be put on the server";
    else if (!pupilsSignedIn(port, ready))
        ready.failure = "a pupil could not sign in";
    return ready;
}

json completionBody(const std::string& id, const std::string& setHash, const SolvedProblem& problem) {
    const std::int64_t ended = server::nowMillis();
    return {{"id", id},
            {"setName", LoadSetName},
            {"setHash", setHash},
            {"unit", problem.unitTitle},
            {"problem", problem.problem},
            {"steps", problem.steps},
            {"answer", problem.answer},
            {"hints", 0},
            {"startedAt", ended - 60000},
            {"endedAt", ended}};
}

std::string newCompletionId(std::mt19937_64& random) {
    constexpr std::string_view digits = "0123456789abcdef";
    std::string id;
    for (int half = 0; half < 2; ++half) {
        std::uint64_t bits = random();
        for (int digit = 0; digit < 16; ++digit, bits >>= 4)
            id += digits[bits & 15u];
    }
    return id;
}

} // namespace tavolini
