// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/sha256.h"
#include "core/text_file.h"
#include "test_server.h"

#include <array>
#include <gtest/gtest.h>
#include <regex>

namespace tavolini::server {
namespace {

// The five callers of every request: the pupil whose work it is, a pupil of
// another class, the class's teacher, another teacher, and nobody.
enum Caller { ThePupil, OtherPupil, TheTeacher, OtherTeacher, Nobody, CallerCount };
constexpr std::array<const char*, CallerCount> callerNames = {
    "the pupil", "another class's pupil", "the class's teacher", "another teacher", "nobody"};

// Two classrooms, made again for each request: {class}, {pupil} and {code}
// name the first one's.
struct World {
    Classroom room;
    Classroom other;
    std::array<Visitor, CallerCount> visitors;
};

World makeWorld(Storage& storage, int serial) {
    World world;
    world.room = addClassroom(storage, "t" + std::to_string(serial));
    world.other = addClassroom(storage, "u" + std::to_string(serial));
    world.visitors[ThePupil] = visitorOf(storage, Role::Pupil, world.room.pupil);
    world.visitors[OtherPupil] = visitorOf(storage, Role::Pupil, world.other.pupil);
    world.visitors[TheTeacher] = visitorOf(storage, Role::Teacher, world.room.teacher);
    world.visitors[OtherTeacher] = visitorOf(storage, Role::Teacher, world.other.teacher);
    return world;
}

std::string filled(std::string text, const World& world, int serial) {
    text = std::regex_replace(text, std::regex("\\{class\\}"), std::to_string(world.room.schoolClass));
    text = std::regex_replace(text, std::regex("\\{pupil\\}"), std::to_string(world.room.pupil));
    text = std::regex_replace(text, std::regex("\\{code\\}"), world.room.code);
    return std::regex_replace(text, std::regex("\\{teacher\\}"), "t" + std::to_string(serial));
}

TEST(Authorization, EveryEndpointForEveryCaller) {
    const std::string set = "a set";
    const std::string setHash = sha256Hex(set);
    const std::string handed = joinLines({cp932("<<加減法"), cp932("2x+y=7;x-y=2"), cp932(">>")});
    const struct {
        const char* method;
        const char* path;
        std::string body;
        std::array<int, CallerCount> status; // in the order of Caller
    } rows[] = {
        {"GET", "/api/session", "", {200, 200, 200, 200, 401}},
        {"POST",
         "/api/pupil/signin",
         R"({"classCode":"{code}","number":1,"password":"correct horse"})",
         {200, 200, 200, 200, 200}},
        {"POST",
         "/api/teacher/signin",
         R"({"name":"{teacher}","password":"correct horse"})",
         {200, 200, 200, 200, 200}},
        {"POST", "/api/signout", "", {204, 204, 204, 204, 401}},
        {"POST",
         "/api/teacher/password",
         R"({"password":"correct horse","newPassword":"battery staple"})",
         {404, 404, 204, 204, 401}},
        {"GET", "/api/classes", "", {404, 404, 200, 200, 401}},
        {"POST", "/api/classes", R"({"title":"2年3組"})", {404, 404, 201, 201, 401}},
        {"GET", "/api/classes/{class}/pupils", "", {404, 404, 200, 404, 401}},
        {"POST",
         "/api/classes/{class}/pupils",
         R"({"pupils":[{"number":2,"name":"佐藤"}]})",
         {404, 404, 201, 404, 401}},
        {"POST", "/api/pupils/{pupil}/password", "", {404, 404, 200, 404, 401}},
        {"DELETE", "/api/pupils/{pupil}", "", {404, 404, 204, 404, 401}},
        {"GET", "/api/pupils/{pupil}/completions", "", {404, 404, 200, 404, 401}},
        {"PUT", "/api/sets/", set, {204, 204, 204, 204, 401}},
        // A set the server has never seen: past the checks of who, refused for what.
        {"POST",
         "/api/completions",
         R"({"id":"0123456789abcdef0123456789abcdef","setName":"s","setHash":")" + std::string(64, 'e') +
             R"(","unit":"u","problem":1,"steps":"","answer":"","hints":0,"startedAt":0,"endedAt":0})",
         {409, 409, 404, 404, 401}},
        {"GET", "/api/records", "", {200, 200, 404, 404, 401}},
        {"PUT", "/api/classes/{class}/set?name=a.sim", handed, {404, 404, 200, 404, 401}},
        {"GET", "/api/classes/{class}/set", "", {404, 404, 200, 404, 401}},
        {"GET", "/api/class-set", "", {200, 200, 404, 404, 401}},
        {"GET", "/api/classes/{class}/overview", "", {404, 404, 200, 404, 401}},
        {"GET", "/api/classes/{class}/overview.csv", "", {404, 404, 200, 404, 401}},
        // Put on the server by the row above, handed out to nobody.
        {"GET", "/api/sets/", "", {404, 404, 404, 404, 401}},
        {"GET", "/api/classes/{class}", "", {404, 404, 404, 404, 404}},
    };
    TestServer server;
    int serial = 0;
    for (const auto& row : rows) {
        for (int caller = 0; caller < CallerCount; ++caller) {
            SCOPED_TRACE(std::string(row.method) + " " + row.path + " by " + callerNames[caller]);
            const World world = makeWorld(server.storage(), ++serial);
            std::string path = filled(row.path, world, serial);
            if (path == "/api/sets/") path += setHash;
            const httplib::Result result =
                server.send(world.visitors[caller], {row.method, path, filled(row.body, world, serial)});
            ASSERT_TRUE(result);
            EXPECT_EQ(result->status, row.status[caller]);
        }
    }
}

} // namespace
} // namespace tavolini::server
