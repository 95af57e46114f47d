// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/sha256.h"
#include "core/text_file.h"
#include "server/http_server.h"
#include "test_server.h"

#include <cctype>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

namespace tavolini::server {
namespace {

using nlohmann::json;

std::string errorOf(const httplib::Result& result) {
    const json body = json::parse(result->body, nullptr, false);
    return body.is_object() && body.contains("error") && body["error"].is_string()
               ? body["error"].get<std::string>()
               : "";
}

// One request of a table: who sends it, what, and the status and error code it must get.
struct Row {
    const char* what;
    const Visitor* visitor;
    Call call;
    int status;
    std::string error;
};

void expectRows(const TestServer& server, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const httplib::Result result = server.send(*row.visitor, row.call);
        ASSERT_TRUE(result) << httplib::to_string(result.error());
        EXPECT_EQ(result->status, row.status);
        EXPECT_EQ(errorOf(result), row.error);
    }
}

const Visitor nobody;

TEST(Api, RefusesWhatIsNotExactlyAsListed) {
    TestServer server;
    const Classroom room = addClassroom(server.storage(), "t");
    const Visitor teacher = visitorOf(server.storage(), Role::Teacher, room.teacher);
    const Visitor pupil = visitorOf(server.storage(), Role::Pupil, room.pupil);
    const std::string pupils = "/api/classes/" + std::to_string(room.schoolClass) + "/pupils";
    const std::string classes = "/api/classes", title = R"({"title":"a"})", bad = "bad-request";
    const std::string strange = "tavolini_session=" + std::string(43, 'A');
    const std::string taken = R"({"pupils":[{"number":2,"name":"a"},{"number":1,"name":"b"}]})";
    const std::string atLimit = std::string(maxBodyBytes - title.size(), ' ') + title;
    const std::vector<Row> rows = {
        {"not JSON", &teacher, {"POST", classes, R"({"title":)"}, 400, bad},
        {"unknown field", &teacher, {"POST", classes, R"({"title":"a","x":1})"}, 400, bad},
        {"field twice", &teacher, {"POST", classes, R"({"title":"a","title":"b"})"}, 400, bad},
        {"brackets in a string", &teacher, {"POST", classes, R"({"title":"[[[[{{{{\"["})"}, 201, ""},
        {"missing field", &teacher, {"POST", classes, "{}"}, 400, bad},
        {"wrong type", &teacher, {"POST", classes, R"({"title":5})"}, 400, bad},
        {"not an object", &teacher, {"POST", classes, R"(["title"])"}, 400, bad},
        {"empty title", &teacher, {"POST", classes, R"({"title":""})"}, 400, bad},
        {"not UTF-8", &teacher, {"POST", classes, "{\"title\":\"\xff\"}"}, 400, bad},
        {"control character", &teacher, {"POST", classes, R"({"title":"a\u0001"})"}, 400, bad},
        {"too deep", &teacher, {"POST", pupils, R"({"pupils":[{"number":1,"name":{"a":[]}}]})"}, 400, bad},
        {"number 1000", &teacher, {"POST", pupils, R"({"pupils":[{"number":1000,"name":"a"}]})"}, 400, bad},
        {"number 1.5", &teacher, {"POST", pupils, R"({"pupils":[{"number":1.5,"name":"a"}]})"}, 400, bad},
        {"number taken", &teacher, {"POST", pupils, taken}, 409, "number-taken"},
        {"body over 1 MiB", &teacher, {"POST", classes, atLimit + " "}, 413, "too-large"},
        {"body of 1 MiB", &teacher, {"POST", classes, atLimit}, 201, ""},
        {"no CSRF token", &teacher, {"POST", classes, title, {{"X-CSRF-Token", ""}}}, 403, "csrf"},
        {"wrong CSRF token", &teacher, {"POST", classes, title, {{"X-CSRF-Token", pupil.csrf}}}, 403, "csrf"},
        {"other Origin", &teacher, {"POST", classes, title, {{"Origin", "http://x.test"}}}, 403, "origin"},
        {"foreign Origin on the site", &nobody, {"GET", "/", "", {{"Origin", "null"}}}, 403, "origin"},
        {"own Origin", &teacher, {"POST", classes, title, {{"Origin", server.origin()}}}, 201, ""},
        {"unknown path", &teacher, {"GET", "/api/nothing"}, 404, "not-found"},
        {"id not a number", &teacher, {"GET", "/api/classes/x/pupils"}, 404, "not-found"},
        {"site written to", &teacher, {"POST", "/index.html", "{}"}, 405, ""},
        {"no session", &nobody, {"GET", "/api/session"}, 401, "signed-out"},
        {"stranger", &nobody, {"GET", "/api/session", "", {{"Cookie", strange}}}, 401, "signed-out"},
        {"pupil at a teacher's", &pupil, {"GET", classes}, 404, "not-found"},
    };
    expectRows(server, rows);
    EXPECT_EQ(server.storage().pupilsOf(room.schoolClass).size(), 1u); // the refused list added nobody
}

std::string teacherSignIn(const std::string& password) {
    return json{{"name", "t"}, {"password", password}}.dump();
}

std::string pupilSignIn(const std::string& code, const std::string& password) {
    return json{{"classCode", code}, {"number", 1}, {"password", password}}.dump();
}

TEST(Api, SignInsAreLimitedPerAccountAndPerAddress) {
    const struct {
        const char* key; // failures already counted there, by another process
        int failures;
        bool teacher;
        int status;
    } rows[] = {
        {"", 0, true, 200},
        {"account:teacher:t", 9, true, 200},
        {"account:teacher:t", 10, true, 429},
        {"account:teacher:u", 10, true, 200},
        {"address:127.0.0.1", 10, true, 429},
        {"address:127.0.0.1", 10, false, 429},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.key) + " " + std::to_string(row.failures));
        TestServer server;
        const Classroom room = addClassroom(server.storage(), "t");
        for (int i = 0; i < row.failures; ++i)
            server.storage().addSignInFailure(row.key, nowMillis());
        const httplib::Result result = server.send(
            nobody, row.teacher ? Call{"POST", "/api/teacher/signin", teacherSignIn(knownPassword)}
                                : Call{"POST", "/api/pupil/signin", pupilSignIn(room.code, knownPassword)});
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, row.status);
    }

    TestServer server;
    const Classroom room = addClassroom(server.storage(), "t");
    const Call wrong{"POST", "/api/pupil/signin", pupilSignIn(room.code, "wrong")};
    std::vector<Row> tries(10, Row{"wrong password", &nobody, wrong, 401, "sign-in-failed"});
    const Call right{"POST", "/api/pupil/signin", pupilSignIn(room.code, knownPassword)};
    tries.push_back({"right password after ten wrong", &nobody, right, 429, "too-many"});
    expectRows(server, tries);
}

TEST(Api, TeacherWithAPasswordToChangeMayOnlyChangeIt) {
    TestServer server;
    const Classroom room = addClassroom(server.storage(), "t", true);
    const Visitor teacher = visitorOf(server.storage(), Role::Teacher, room.teacher);
    const Visitor otherSession = visitorOf(server.storage(), Role::Teacher, room.teacher);
    const std::string change = "/api/teacher/password", gate = "password-change-required";
    const std::string newPassword = "a better password";
    const auto changeTo = [](const std::string& from, const std::string& to) {
        return json{{"password", from}, {"newPassword", to}}.dump();
    };
    expectRows(
        server,
        {
            {"who", &teacher, {"GET", "/api/session"}, 200, ""},
            {"classes", &teacher, {"GET", "/api/classes"}, 403, gate},
            {"new class", &teacher, {"POST", "/api/classes", R"({"title":"a"})"}, 403, gate},
            {"a set", &teacher, {"PUT", "/api/sets/" + std::string(64, '0'), "x"}, 403, gate},
            {"wrong", &teacher, {"POST", change, changeTo("no", newPassword)}, 403, "sign-in-failed"},
            {"too short", &teacher, {"POST", change, changeTo(knownPassword, "short")}, 400, "bad-request"},
            {"changed", &teacher, {"POST", change, changeTo(knownPassword, newPassword)}, 204, ""},
            {"classes after", &teacher, {"GET", "/api/classes"}, 200, ""},
            {"other session", &otherSession, {"GET", "/api/session"}, 401, "signed-out"},
            {"old password",
             &nobody,
             {"POST", "/api/teacher/signin", teacherSignIn(knownPassword)},
             401,
             "sign-in-failed"},
            {"new password", &nobody, {"POST", "/api/teacher/signin", teacherSignIn(newPassword)}, 200, ""},
        });
}

std::string setBytes() {
    return joinLines({cp932("<<加減法"), cp932("2x+y=7;x-y=2"), cp932(">>")});
}

std::string completion(char id, const std::string& steps) {
    return json{{"id", std::string(32, id)}, {"setName", "基本"}, {"setHash", sha256Hex(setBytes())},
                {"unit", "加減法"},          {"problem", 1},      {"steps", steps},
                {"answer", "x=3 y=1"},       {"hints", 2},        {"startedAt", 1765180000000},
                {"endedAt", 1765180060000}}
        .dump();
}

TEST(Api, CompletionIsKeptOnceWhenItsReplaySolvesIt) {
    TestServer server;
    const Classroom room = addClassroom(server.storage(), "t");
    const Visitor teacher = visitorOf(server.storage(), Role::Teacher, room.teacher);
    const Visitor pupil = visitorOf(server.storage(), Role::Pupil, room.pupil);
    const std::string road = "1+@2 3/#3 4^@2 5I 6S 7*#-1";
    const std::string setPath = "/api/sets/" + sha256Hex(setBytes());
    const std::string work = "/api/pupils/" + std::to_string(room.pupil) + "/completions";
    expectRows(
        server,
        {
            {"set unknown", &pupil, {"POST", "/api/completions", completion('a', road)}, 409, "set-unknown"},
            {"set under another hash", &pupil, {"PUT", setPath, setBytes() + "\r\n"}, 400, "hash-mismatch"},
            {"set", &pupil, {"PUT", setPath, setBytes()}, 204, ""},
            {"step refused",
             &pupil,
             {"POST", "/api/completions", completion('a', "1+@2 3/#3 4/#0")},
             422,
             "refused"},
            {"new", &pupil, {"POST", "/api/completions", completion('a', road)}, 201, ""},
            {"again", &pupil, {"POST", "/api/completions", completion('a', road)}, 200, ""},
            {"another", &pupil, {"POST", "/api/completions", completion('b', road)}, 201, ""},
        });
    const httplib::Result records = server.send(pupil, {"GET", "/api/records"});
    ASSERT_TRUE(records);
    EXPECT_EQ(json::parse(records->body),
              json::parse(R"({"records":[{"set":"基本","unit":"加減法","problem":1,"count":2}]})"));
    const httplib::Result kept = server.send(teacher, {"GET", work});
    ASSERT_TRUE(kept);
    const json completions = json::parse(kept->body)["completions"];
    ASSERT_EQ(completions.size(), 2u);
    EXPECT_EQ(completions[0]["steps"], road);
    EXPECT_EQ(completions[0]["hints"], 2);

    expectRows(
        server,
        {
            {"pupil removed", &teacher, {"DELETE", "/api/pupils/" + std::to_string(room.pupil)}, 204, ""},
            {"their session", &pupil, {"GET", "/api/records"}, 401, "signed-out"},
            {"their work", &teacher, {"GET", work}, 404, "not-found"},
        });
    EXPECT_TRUE(server.storage().completionsOf(room.pupil).empty());
}

TEST(Api, SignOutEndsTheSession) {
    TestServer server;
    const Classroom room = addClassroom(server.storage(), "t");
    std::string typed = room.code; // as a pupil may type it
    for (char& c : typed)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const httplib::Result signedIn =
        server.send(nobody, {"POST", "/api/pupil/signin", pupilSignIn(typed, knownPassword)});
    ASSERT_TRUE(signedIn);
    const std::string setCookie = signedIn->get_header_value("Set-Cookie");
    EXPECT_NE(setCookie.find("HttpOnly; SameSite=Strict; Path=/; Max-Age=28800"), std::string::npos);
    const Visitor pupil{setCookie.substr(0, setCookie.find(';')), json::parse(signedIn->body)["csrf"]};
    EXPECT_EQ(json::parse(signedIn->body)["classCode"], room.code);
    const httplib::Result signedOut = server.send(pupil, {"POST", "/api/signout"});
    ASSERT_TRUE(signedOut);
    EXPECT_EQ(signedOut->status, 204);
    EXPECT_NE(signedOut->get_header_value("Set-Cookie").find("Max-Age=0"), std::string::npos);
    expectRows(server, {{"after sign-out", &pupil, {"GET", "/api/session"}, 401, "signed-out"}});
}

TEST(Api, StorageFailureAnswers503WithoutItsDetail) {
    TestServer server;
    const Classroom room = addClassroom(server.storage(), "t");
    const Visitor pupil = visitorOf(server.storage(), Role::Pupil, room.pupil);
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(sqliteFileIn(server.dataFolder()).c_str(), &database), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(database, "DROP TABLE problem_sets", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);
    const httplib::Result result = server.send(pupil, {"PUT", "/api/sets/" + sha256Hex("x"), "x"});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 503);
    EXPECT_EQ(errorOf(result), "storage");
    EXPECT_EQ(result->body.find("problem_sets"), std::string::npos);
}

TEST(Api, EveryAnswerCarriesTheSecurityHeadersAndTheSiteItsTypes) {
    TestServer server;
    const struct {
        Call call;
        int status;
        const char* type;
    } rows[] = {
        {{"GET", "/"}, 200, "text/html; charset=utf-8"},
        {{"HEAD", "/tavolini.wasm"}, 200, "application/wasm"},
        {{"GET", "/tavolini.wasm"}, 200, "application/wasm"},
        {{"GET", "/help/contents.html"}, 200, "text/html; charset=utf-8"},
        {{"GET", "/missing.js"}, 404, nullptr},
        {{"GET", "/api/session"}, 401, "application/json; charset=utf-8"},
        {{"POST", "/api/classes", std::string(maxBodyBytes + 1, ' ')},
         413,
         "application/json; charset=utf-8"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.call.method + " " + row.call.path);
        const httplib::Result result = server.send(nobody, row.call);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, row.status);
        if (row.type) {
            EXPECT_EQ(result->get_header_value("Content-Type"), row.type);
        }
        const bool api = row.call.path.starts_with("/api/");
        const bool framedHelp = row.call.path.starts_with("/help/");
        EXPECT_NE(result->get_header_value("Content-Security-Policy")
                      .find(framedHelp ? "frame-ancestors 'self'" : "frame-ancestors 'none'"),
                  std::string::npos);
        EXPECT_EQ(result->get_header_value("X-Content-Type-Options"), "nosniff");
        EXPECT_EQ(result->get_header_value("Referrer-Policy"), "no-referrer");
        EXPECT_EQ(result->get_header_value("X-Frame-Options"), framedHelp ? "SAMEORIGIN" : "DENY");
        EXPECT_EQ(result->get_header_value("Cache-Control") == "no-store", api);
    }
}

} // namespace
} // namespace tavolini::server
