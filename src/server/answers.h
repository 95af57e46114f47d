// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <httplib.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>

namespace tavolini::server {

// Every refusal the interface gives, each with its status and words for the user.
enum class ApiError {
    BadRequest,
    HashMismatch,
    SignedOut,
    SignInFailed,
    PupilSignInFailed,
    TeacherSignInFailed,
    Csrf,
    Origin,
    PasswordChangeRequired,
    NotFound,
    NumberTaken,
    SetUnknown,
    TooLarge,
    TooMany,
    Internal,
    Storage,
};

void answerJson(httplib::Response& response, int status, const nlohmann::json& body);
void answerError(httplib::Response& response, ApiError error);
// 422 refused, with the replay's reason.
void answerRefused(httplib::Response& response, std::string_view reason);

// The error that goes with a status httplib set itself (413, an unknown path …).
std::optional<ApiError> errorForStatus(int status);

} // namespace tavolini::server
