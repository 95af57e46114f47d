// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/http_server.h"
#include "server/passwords.h"
#include "server/sessions.h"
#include "server/sqlite_storage.h"
#include "support/temp_folder.h"

#include <chrono>
#include <httplib.h>
#include <map>
#include <string>
#include <thread>

namespace tavolini::server {

// Someone at a browser: the cookie and the CSRF token of their session, sent
// with every request; empty for nobody.
struct Visitor {
    std::string cookie;
    std::string csrf;
};

// A session made straight in the storage, without a sign-in's password hash.
inline Visitor visitorOf(Storage& storage, Role role, RowId accountId) {
    const StartedSession started = startSession(storage, role, accountId, false);
    return {started.setCookie.substr(0, started.setCookie.find(';')), started.session.csrfToken};
}

// Every account of the tests has this password, hashed once for the whole run.
constexpr const char* knownPassword = "correct horse";
inline const std::string& knownPasswordHash() {
    static const std::string hash = (startSodium(), hashPassword(knownPassword).value_or(""));
    return hash;
}

// A teacher with a class of one pupil, number 1.
struct Classroom {
    RowId teacher = 0;
    RowId schoolClass = 0;
    std::string code;
    RowId pupil = 0;
};

inline Classroom addClassroom(Storage& storage, const std::string& teacherName,
                              bool mustChangePassword = false) {
    Classroom room;
    room.teacher = storage.addTeacher(teacherName, knownPasswordHash(), mustChangePassword);
    room.code = newClassCode();
    room.schoolClass = storage.addClass(room.teacher, "1年1組", room.code).value_or(0);
    room.pupil = storage.addPupil(room.schoolClass, 1, "山田", knownPasswordHash()).value_or(0);
    return room;
}

struct Call {
    Call(std::string method, std::string path, std::string body = {},
         std::map<std::string, std::string> headers = {})
        : method(std::move(method)), path(std::move(path)), body(std::move(body)),
          headers(std::move(headers)) {}

    std::string method;
    std::string path;
    std::string body;
    std::map<std::string, std::string> headers; // over the visitor's own
};

// The interface with a site of three files on 127.0.0.1, at a port the system
// chooses, over SQLite in a folder of its own.
class TestServer {
  public:
    TestServer() : storage_(data_.path()) {
        startSodium();
        writeBytes(site_ / "index.html", "<!doctype html><title>Tavolini</title>");
        writeBytes(site_ / "tavolini.wasm", std::string_view("\0asm\1\0\0\0", 8));
        std::filesystem::create_directory(site_ / "help");
        writeBytes(site_ / "help/contents.html", "<!doctype html><title>ヘルプ</title>");
        setUpServer(server_, storage_, site_.path(), false);
        port_ = bindServer(server_, "127.0.0.1", 0);
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        for (int wait = 0; wait < 500 && !server_.is_running(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;
    ~TestServer() {
        server_.stop();
        thread_.join();
    }

    Storage& storage() { return storage_; }
    const std::string& dataFolder() const { return data_.path(); }
    const std::string& siteFolder() const { return site_.path(); }
    std::string origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

    httplib::Result send(const Visitor& visitor, const Call& call) const {
        httplib::Client client("127.0.0.1", port_);
        client.set_connection_timeout(5);
        client.set_read_timeout(20);
        httplib::Request request;
        request.method = call.method;
        request.path = call.path;
        request.body = call.body;
        if (!visitor.cookie.empty()) request.set_header("Cookie", visitor.cookie);
        if (!visitor.csrf.empty()) request.set_header("X-CSRF-Token", visitor.csrf);
        if (!call.body.empty()) request.set_header("Content-Type", "application/json");
        for (const auto& [name, value] : call.headers) {
            request.headers.erase(name);
            if (!value.empty()) request.set_header(name, value);
        }
        return client.send(request);
    }

  private:
    TempFolder data_;
    TempFolder site_;
    SqliteStorage storage_;
    httplib::Server server_;
    int port_ = -1;
    std::thread thread_;
};

} // namespace tavolini::server
