// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/sha256.h"
#include "core/text_file.h"
#include "server/http_server.h"
#include "test_server.h"

#include <cctype>
#include <ctime>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sodium.h>
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

struct Answer {
    int status = 0;
    std::string type;
    std::string body;
};

Answer answerTo(const TestServer& server, const Visitor& visitor, const Call& call) {
    const httplib::Result result = server.send(visitor, call);
    if (!result) return {};
    return {result->status, result->get_header_value("Content-Type"), result->body};
}

std::string localDate(Millis at) {
    const std::time_t seconds = at / 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

TEST(Api, SetHandedOutIsCheckedAndTheOverviewFollowsIt) {
    TestServer server;
    Storage& storage = server.storage();
    const Classroom room = addClassroom(storage, "t");
    const Classroom other = addClassroom(storage, "u");
    for (const auto& [number, name] : {std::pair{2, "=1+2"}, {3, "田中,\"花\""}, {4, "𠮷野"}})
        storage.addPupil(room.schoolClass, number, name, knownPasswordHash());
    const Visitor teacher = visitorOf(storage, Role::Teacher, room.teacher);
    const Visitor otherTeacher = visitorOf(storage, Role::Teacher, other.teacher);
    const Visitor pupil = visitorOf(storage, Role::Pupil, room.pupil);
    const std::string classPath = "/api/classes/" + std::to_string(room.schoolClass);
    const std::string put = classPath + "/set?name=";
    const std::string shipped = joinLines({cp932("<<代入法"), cp932("y=x+1;x+y=3"), cp932(">>")});
    const std::string hash = sha256Hex(setBytes()), shippedHash = sha256Hex(shipped);
    const auto setOf = [&](const Visitor& visitor, const std::string& path) {
        return json::parse(answerTo(server, visitor, {"GET", path}).body, nullptr, false)["set"];
    };

    EXPECT_EQ(setOf(teacher, classPath + "/set"), nullptr) << "the site ships none";
    writeBytes(server.siteFolder() + "/ZUdir.sim", shipped);
    EXPECT_EQ(setOf(teacher, classPath + "/set"),
              json({{"hash", shippedHash},
                    {"name", "ZUdir.sim"},
                    {"handedAt", 0},
                    {"units", {{{"title", "代入法"}, {"problems", 1}}}}}));
    EXPECT_EQ(setOf(pupil, "/api/class-set"), nullptr);

    const std::string notClosed = joinLines({cp932("<<加減法"), cp932("2x+y=7;x-y=2")});
    const std::string failing = joinLines({cp932("<<加減法"), cp932("2x+y=;x-y=2"), cp932(">>")});
    const struct {
        const char* what;
        std::string path;
        std::string body;
        int status;
        json refusal; // the body of a 422
    } puts[] = {
        {"no name", classPath + "/set", setBytes(), 400, {}},
        {"bad percent", put + "a%2.sim", setBytes(), 400, {}},
        {"a folder in the name", put + "a%2Fb.sim", setBytes(), 400, {}},
        {"not UTF-8", put + "%FF.sim", setBytes(), 400, {}},
        {"name of 101 bytes", put + std::string(101, 'a'), setBytes(), 400, {}},
        {"not Shift-JIS",
         put + "a.sim",
         "<<加減法\r\n",
         422,
         {{"error", "set-refused"},
          {"message", "??? 問題に誤りがあります"},
          {"messages", {"a.sim:Shift-JISの問題ファイルではありません"}}}},
        {"unit not closed",
         put + "a.sim",
         notClosed,
         422,
         {{"error", "set-refused"},
          {"message", "??? 問題に誤りがあります"},
          {"messages", {"2行目：単元が「>>」で閉じていません"}}}},
        {"problem failing",
         put + "a.sim",
         failing,
         422,
         {{"error", "set-refused"},
          {"message", "??? 誤りがあります ???"},
          {"messages", {"「=」の右に式がありません", "2x+y=;x-y=2：問題が不正です"}}}},
        {"other teacher's class", put + "a.sim", setBytes(), 404, {}},
        {"handed out", put + "%E5%9F%BA%E6%9C%AC%201.sim", setBytes(), 200, {}},
    };
    for (const auto& row : puts) {
        SCOPED_TRACE(row.what);
        const Visitor& by = row.status == 404 ? otherTeacher : teacher;
        const Answer answer = answerTo(server, by, {"PUT", row.path, row.body});
        EXPECT_EQ(answer.status, row.status);
        if (row.status == 422) {
            EXPECT_EQ(json::parse(answer.body, nullptr, false), row.refusal);
        }
    }
    const json handed = setOf(teacher, classPath + "/set");
    EXPECT_EQ(handed["hash"], hash);
    EXPECT_EQ(handed["name"], "基本 1.sim");
    EXPECT_GT(handed["handedAt"].get<Millis>(), 0);
    EXPECT_EQ(handed["units"], json::parse(R"([{"title":"加減法","problems":1}])"));
    const json forPupil = setOf(pupil, "/api/class-set");
    EXPECT_EQ(forPupil["name"], "基本 1.sim");
    const std::string base64 = forPupil["bytes"];
    std::string decoded(base64.size(), '\0');
    std::size_t length = 0;
    ASSERT_EQ(sodium_base642bin(reinterpret_cast<unsigned char*>(decoded.data()), decoded.size(),
                                base64.data(), base64.size(), nullptr, &length, nullptr,
                                sodium_base64_VARIANT_ORIGINAL),
              0);
    EXPECT_EQ(decoded.substr(0, length), setBytes());

    const std::string road = "1+@2 3/#3 4^@2 5I 6S 7*#-1";
    for (const char id : {'a', 'b'})
        ASSERT_EQ(answerTo(server, pupil, {"POST", "/api/completions", completion(id, road)}).status, 201);
    const json overview = json::parse(answerTo(server, teacher, {"GET", classPath + "/overview"}).body);
    EXPECT_EQ(overview["set"], handed);
    EXPECT_EQ(overview["pupils"][0], json({{"id", room.pupil},
                                           {"number", 1},
                                           {"name", "山田"},
                                           {"units", {{{"counts", {2}}, {"last", 1765180060000}}}}}));
    EXPECT_EQ(overview["pupils"][3]["units"], json::parse(R"([{"counts":[0],"last":0}])"));

    const std::string csv = "出席番号,名前,加減法 問1,加減法 最終日\r\n1,山田,2," + localDate(1765180060000) +
                            "\r\n2,'=1+2,0,\r\n3,\"田中,\"\"花\"\"\",0,\r\n4,𠮷野,0,\r\n";
    const struct {
        const char* query;
        int status;
        std::string type;
        std::string body;
    } csvs[] = {
        {"", 200, "text/csv; charset=utf-8", "\xEF\xBB\xBF" + csv},
        {"?encoding=cp932", 200, "text/csv; charset=shift_jis", cp932(csv)},
        {"?encoding=latin1", 400, "application/json; charset=utf-8", ""},
    };
    for (const auto& row : csvs) {
        SCOPED_TRACE(row.query);
        const Answer answer = answerTo(server, teacher, {"GET", classPath + "/overview.csv" + row.query});
        EXPECT_EQ(answer.status, row.status);
        EXPECT_EQ(answer.type, row.type);
        if (row.status == 200) {
            EXPECT_EQ(answer.body, row.body);
        }
    }
    EXPECT_NE(cp932(csv).find("?\x96\xec"), std::string::npos) << "𠮷 as '?' before 野";

    const struct {
        const Visitor* visitor;
        std::string hash;
        int status;
        std::string body;
    } sets[] = {{&teacher, hash, 200, setBytes()}, {&teacher, shippedHash, 200, shipped},
                {&otherTeacher, hash, 404, ""},    {&otherTeacher, shippedHash, 200, shipped},
                {&pupil, hash, 404, ""},           {&teacher, std::string(64, '0'), 404, ""}};
    for (const auto& row : sets) {
        const Answer answer = answerTo(server, *row.visitor, {"GET", "/api/sets/" + row.hash});
        EXPECT_EQ(answer.status, row.status) << row.hash;
        if (row.status == 200) {
            EXPECT_EQ(answer.body, row.body);
        }
    }
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
