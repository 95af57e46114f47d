// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/admission.h"
#include "server/answers.h"
#include "server/json_requests.h"
#include "server/ownership.h"
#include "server/passwords.h"
#include "server/routes.h"

#include <set>

namespace tavolini::server {

namespace {

using httplib::Request;
using httplib::Response;
using nlohmann::json;

// A code taken by another class is drawn again; 32^8 codes make a second
// clash all but impossible.
constexpr int codeDraws = 5;

json completionJson(const Completion& completion) {
    return {{"id", completion.clientId},     {"setName", completion.setName},
            {"setHash", completion.setHash}, {"unit", completion.unitTitle},
            {"problem", completion.problem}, {"steps", completion.steps},
            {"hints", completion.hints},     {"startedAt", completion.startedAt},
            {"endedAt", completion.endedAt}, {"receivedAt", completion.receivedAt}};
}

void listClasses(Storage& storage, const Session& session, Response& response) {
    json classes = json::array();
    for (const SchoolClass& schoolClass : storage.classesOf(session.accountId))
        classes.push_back({{"id", schoolClass.id},
                           {"title", schoolClass.title},
                           {"code", schoolClass.code},
                           {"pupils", storage.pupilsOf(schoolClass.id).size()}});
    answerJson(response, 200, {{"classes", classes}});
}

void addClass(Storage& storage, const Session& session, const Request& request, Response& response) {
    const Decoded<NewClass> given = decodeNewClass(request.body);
    if (!given.ok()) return answerError(response, ApiError::BadRequest);
    for (int draw = 0; draw < codeDraws; ++draw) {
        const std::string code = newClassCode();
        if (const std::optional<RowId> id = storage.addClass(session.accountId, given.value.title, code))
            return answerJson(response, 201, {{"id", *id}, {"title", given.value.title}, {"code", code}});
    }
    answerError(response, ApiError::Internal);
}

void listPupils(Storage& storage, const SchoolClass& schoolClass, Response& response) {
    json pupils = json::array();
    for (const Pupil& pupil : storage.pupilsOf(schoolClass.id))
        pupils.push_back({{"id", pupil.id}, {"number", pupil.number}, {"name", pupil.name}});
    answerJson(response, 200, {{"pupils", pupils}});
}

// All or none: a number already in the class, or twice in the list, adds nobody.
void addPupils(Storage& storage, const SchoolClass& schoolClass, const Request& request, Response& response) {
    const Decoded<NewPupils> given = decodeNewPupils(request.body);
    if (!given.ok()) return answerError(response, ApiError::BadRequest);
    std::set<int> numbers;
    for (const Pupil& pupil : storage.pupilsOf(schoolClass.id))
        numbers.insert(pupil.number);
    for (const NewPupil& pupil : given.value.pupils)
        if (!numbers.insert(pupil.number).second) return answerError(response, ApiError::NumberTaken);
    json added = json::array();
    std::vector<RowId> ids;
    for (const NewPupil& pupil : given.value.pupils) {
        const std::string password = newPupilPassword();
        const std::optional<std::string> hash = hashPassword(password);
        const std::optional<RowId> id =
            hash ? storage.addPupil(schoolClass.id, pupil.number, pupil.name, *hash) : std::nullopt;
        if (!id) {
            // Another request took the number meanwhile (or the memory ran out).
            for (const RowId done : ids)
                storage.removePupil(done);
            return answerError(response, hash ? ApiError::NumberTaken : ApiError::Internal);
        }
        ids.push_back(*id);
        added.push_back(
            {{"id", *id}, {"number", pupil.number}, {"name", pupil.name}, {"password", password}});
    }
    answerJson(response, 201, {{"pupils", added}});
}

void resetPassword(Storage& storage, const Pupil& pupil, Response& response) {
    const std::string password = newPupilPassword();
    const std::optional<std::string> hash = hashPassword(password);
    if (!hash) return answerError(response, ApiError::Internal);
    storage.setPupilPassword(pupil.id, *hash);
    storage.removeSessionsOf(Role::Pupil, pupil.id);
    answerJson(response, 200, {{"password", password}});
}

void listCompletions(Storage& storage, const Pupil& pupil, Response& response) {
    json completions = json::array();
    for (const Completion& completion : storage.completionsOf(pupil.id))
        completions.push_back(completionJson(completion));
    answerJson(response, 200, {{"completions", completions}});
}

} // namespace

void addClassRoutes(Routes& routes, Storage& storage) {
    routes.get("/api/classes", [&storage](const Request& request, Response& response) {
        if (const std::optional<Session> session = admit(request, response, storage, Who::Teacher))
            listClasses(storage, *session, response);
    });
    routes.post("/api/classes", [&storage](const Request& request, Response& response) {
        if (const std::optional<Session> session = admit(request, response, storage, Who::Teacher))
            addClass(storage, *session, request, response);
    });
    routes.get(R"(/api/classes/(\d{1,18})/pupils)",
               forClass(storage, [](Storage& storage, const SchoolClass& schoolClass, const Request&,
                                    Response& response) { listPupils(storage, schoolClass, response); }));
    routes.post(R"(/api/classes/(\d{1,18})/pupils)", forClass(storage, addPupils));
    routes.post(R"(/api/pupils/(\d{1,18})/password)", forPupil(storage, resetPassword));
    routes.remove(R"(/api/pupils/(\d{1,18}))",
                  forPupil(storage, [](Storage& storage, const Pupil& pupil, Response& response) {
                      storage.removePupil(pupil.id);
                      response.status = 204;
                  }));
    routes.get(R"(/api/pupils/(\d{1,18})/completions)", forPupil(storage, listCompletions));
}

} // namespace tavolini::server
