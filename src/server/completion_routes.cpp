// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/sha256.h"
#include "server/admission.h"
#include "server/answers.h"
#include "server/json_requests.h"
#include "server/replay.h"
#include "server/routes.h"
#include "server/sessions.h"

#include <map>
#include <tuple>

namespace tavolini::server {

namespace {

using httplib::Request;
using httplib::Response;
using nlohmann::json;

void putSet(Storage& storage, const Request& request, Response& response) {
    const std::string hash = request.matches[1];
    if (sha256Hex(request.body) != hash) return answerError(response, ApiError::HashMismatch);
    storage.addProblemSet(hash, request.body);
    response.status = 204;
}

// Kept only when its replay ends solved as claimed, and acknowledged only
// once the storage has committed it.
void addCompletion(Storage& storage, const Session& session, const Request& request, Response& response) {
    const Decoded<CompletionUpload> given = decodeCompletion(request.body);
    if (!given.ok()) return answerError(response, ApiError::BadRequest);
    const CompletionUpload& upload = given.value;
    const std::optional<std::string> set = storage.problemSet(upload.setHash);
    if (!set) return answerError(response, ApiError::SetUnknown);
    const ReplayResult replay =
        replayCompletion(*set, upload.unit, upload.problem, upload.steps, upload.answer);
    if (!replay.ok()) return answerRefused(response, replayFaultMessage(replay));
    Completion completion;
    completion.clientId = upload.id;
    completion.pupilId = session.accountId;
    completion.setHash = upload.setHash;
    completion.setName = upload.setName;
    completion.unitTitle = upload.unit;
    completion.problem = upload.problem;
    completion.steps = upload.steps;
    completion.hints = upload.hints;
    completion.startedAt = upload.startedAt;
    completion.endedAt = upload.endedAt;
    completion.receivedAt = nowMillis();
    if (storage.addCompletion(completion) == Added::New)
        answerJson(response, 201, {{"stored", "new"}});
    else
        answerJson(response, 200, {{"stored", "again"}});
}

void records(Storage& storage, const Session& session, Response& response) {
    std::map<std::tuple<std::string, std::string, int>, std::int64_t> counts;
    for (const Completion& completion : storage.completionsOf(session.accountId))
        ++counts[{completion.setName, completion.unitTitle, completion.problem}];
    json rows = json::array();
    for (const auto& [key, count] : counts)
        rows.push_back({{"set", std::get<0>(key)},
                        {"unit", std::get<1>(key)},
                        {"problem", std::get<2>(key)},
                        {"count", count}});
    answerJson(response, 200, {{"records", rows}});
}

} // namespace

void addCompletionRoutes(Routes& routes, Storage& storage) {
    routes.put("/api/sets/([0-9a-f]{64})", [&storage](const Request& request, Response& response) {
        if (admit(request, response, storage, Who::SignedIn)) putSet(storage, request, response);
    });
    routes.post("/api/completions", [&storage](const Request& request, Response& response) {
        if (const std::optional<Session> session = admit(request, response, storage, Who::Pupil))
            addCompletion(storage, *session, request, response);
    });
    routes.get("/api/records", [&storage](const Request& request, Response& response) {
        if (const std::optional<Session> session = admit(request, response, storage, Who::Pupil))
            records(storage, *session, response);
    });
}

} // namespace tavolini::server
