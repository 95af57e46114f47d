// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/admission.h"
#include "server/answers.h"
#include "server/json_requests.h"
#include "server/passwords.h"
#include "server/routes.h"
#include "server/sessions.h"
#include "server/sign_in_limit.h"

namespace tavolini::server {

namespace {

using httplib::Request;
using httplib::Response;

// Checked when there is no such account, so that the answer takes as long as
// for a wrong password and names cannot be told from the time.
const std::string& decoyHash() {
    static const std::string hash = hashPassword("decoy").value_or("");
    return hash;
}

// Who a sign-in names, when they exist.
struct Account {
    Role role = Role::Pupil;
    RowId id = 0;
    std::string passwordHash;
};

// Both sign-ins: the limit before anything is looked up, then the password,
// checked against a decoy when nobody has that name.
template <class Find>
void signIn(Response& response, Storage& storage, bool tls, const SignInLimit& limit, Find findAccount,
            std::string_view password, ApiError refusal) {
    if (limit.reached()) return answerError(response, ApiError::TooMany);
    const std::optional<Account> account = findAccount();
    if (!passwordMatches(password, account ? account->passwordHash : decoyHash()) || !account) {
        limit.addFailure();
        return answerError(response, refusal);
    }
    const StartedSession started = startSession(storage, account->role, account->id, tls);
    const std::optional<nlohmann::json> answer = sessionAnswer(storage, started.session);
    if (!answer) return answerError(response, ApiError::SignedOut);
    response.set_header("Set-Cookie", started.setCookie);
    answerJson(response, 200, *answer);
}

void pupilSignIn(const Request& request, Response& response, Storage& storage, bool tls) {
    Decoded<PupilSignIn> given = decodePupilSignIn(request.body);
    if (!given.ok()) return answerError(response, ApiError::BadRequest);
    PupilSignIn& typed = given.value;
    // Codes are upper-case; a pupil typing them in lower case means the same class.
    for (char& c : typed.classCode)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const SignInLimit limit(storage, "pupil:" + typed.classCode + ":" + std::to_string(typed.number),
                            request.remote_addr);
    const auto find = [&]() -> std::optional<Account> {
        const std::optional<SchoolClass> schoolClass = storage.classWithCode(typed.classCode);
        const std::optional<Pupil> pupil =
            schoolClass ? storage.pupilNumbered(schoolClass->id, typed.number) : std::nullopt;
        if (!pupil) return std::nullopt;
        return Account{Role::Pupil, pupil->id, pupil->passwordHash};
    };
    signIn(response, storage, tls, limit, find, typed.password, ApiError::PupilSignInFailed);
}

void teacherSignIn(const Request& request, Response& response, Storage& storage, bool tls) {
    const Decoded<TeacherSignIn> given = decodeTeacherSignIn(request.body);
    if (!given.ok()) return answerError(response, ApiError::BadRequest);
    const SignInLimit limit(storage, "teacher:" + given.value.name, request.remote_addr);
    const auto find = [&]() -> std::optional<Account> {
        const std::optional<Teacher> teacher = storage.teacherNamed(given.value.name);
        if (!teacher) return std::nullopt;
        return Account{Role::Teacher, teacher->id, teacher->passwordHash};
    };
    signIn(response, storage, tls, limit, find, given.value.password, ApiError::TeacherSignInFailed);
}

void changePassword(const Request& request, Response& response, Storage& storage) {
    const std::optional<Session> session = admit(request, response, storage, Who::Teacher, Gate::Open);
    if (!session) return;
    const Decoded<PasswordChange> given = decodePasswordChange(request.body);
    if (!given.ok()) return answerError(response, ApiError::BadRequest);
    const std::optional<Teacher> teacher = storage.teacher(session->accountId);
    if (!teacher) return answerError(response, ApiError::SignedOut);
    const SignInLimit limit(storage, "teacher:" + teacher->name, request.remote_addr);
    if (limit.reached()) return answerError(response, ApiError::TooMany);
    if (!passwordMatches(given.value.password, teacher->passwordHash)) {
        limit.addFailure();
        return answerError(response, ApiError::SignInFailed);
    }
    const std::optional<std::string> hash = hashPassword(given.value.newPassword);
    if (!hash) return answerError(response, ApiError::Internal);
    storage.setTeacherPassword(teacher->id, *hash, false);
    // Every other session ends; this one goes on.
    storage.removeSessionsOf(Role::Teacher, teacher->id);
    storage.addSession(*session, nowMillis());
    response.status = 204;
}

} // namespace

void addAccountRoutes(Routes& routes, Storage& storage) {
    const bool tls = routes.tls();
    routes.get("/api/session", [&storage](const Request& request, Response& response) {
        const std::optional<Session> session = admit(request, response, storage, Who::SignedIn, Gate::Open);
        if (!session) return;
        const std::optional<nlohmann::json> answer = sessionAnswer(storage, *session);
        if (!answer) return answerError(response, ApiError::SignedOut);
        answerJson(response, 200, *answer);
    });
    routes.post("/api/pupil/signin", [&storage, tls](const Request& request, Response& response) {
        pupilSignIn(request, response, storage, tls);
    });
    routes.post("/api/teacher/signin", [&storage, tls](const Request& request, Response& response) {
        teacherSignIn(request, response, storage, tls);
    });
    routes.post("/api/signout", [&storage, tls](const Request& request, Response& response) {
        const std::optional<Session> session = admit(request, response, storage, Who::SignedIn, Gate::Open);
        if (!session) return;
        storage.removeSession(session->tokenHash);
        response.set_header("Set-Cookie", clearedCookie(tls));
        response.status = 204;
    });
    routes.post("/api/teacher/password", [&storage](const Request& request, Response& response) {
        changePassword(request, response, storage);
    });
}

} // namespace tavolini::server
