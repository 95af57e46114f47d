// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "support/solved_problems.h"

#include <cstdint>
#include <httplib.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tavolini {

// What the class server answered; status 0 when it did not (the connection
// failed or was cut).
struct Reply {
    int status = 0;
    httplib::Error error = httplib::Error::Success; // why there is no status
    nlohmann::json body;
};

// A signed-in browser's cookie and CSRF token, sent with its requests.
struct BrowserSession {
    std::string cookie;
    std::string csrf;
};

// One kept-alive connection to the class server on 127.0.0.1, for one thread;
// each request carries the session it is given.
class ClassClient {
  public:
    explicit ClassClient(int port);

    Reply send(const BrowserSession& session, const std::string& method, const std::string& path,
               const std::string& body = {}, const std::string& contentType = "application/json");
    Reply send(const BrowserSession& session, const std::string& method, const std::string& path,
               const nlohmann::json& body) {
        return send(session, method, path, body.dump());
    }
    // A sign-in at `path` with `body`; the session when it was let in.
    std::optional<BrowserSession> signIn(const std::string& path, const nlohmann::json& body);

  private:
    httplib::Client m_client;
};

struct PupilAccount {
    std::int64_t id = 0;
    std::string classCode;
    int number = 0;
    std::string password;
    BrowserSession session;
};

// A server made ready for pupils to work: the first teacher signed in with a
// new password, classes of up to 40 pupils, every pupil signed in, the set
// put on the server.
struct ReadyServer {
    BrowserSession teacher;
    std::string teacherPassword;
    std::vector<PupilAccount> pupils;
    std::string setHash;
    std::vector<SolvedProblem> problems; // each solved, to send as completions
    std::string failure;                 // why it is not ready; empty when it is
};
ReadyServer makeReady(int port, const std::string& firstPassword, int pupils, const std::string& setBytes);

// A completion of `problem` under `id`, as the page sends it.
nlohmann::json completionBody(const std::string& id, const std::string& setHash,
                              const SolvedProblem& problem);
// 32 lower-case hex digits, as the page makes them.
std::string newCompletionId(std::mt19937_64& random);

// The set's name on the server; the shipped one's bytes are sent.
inline constexpr const char* LoadSetName = "ZUdir.sim";

} // namespace tavolini
