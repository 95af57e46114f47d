// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/answers.h"

#include <array>

namespace tavolini::server {

namespace {

struct ErrorRow {
    ApiError error;
    int status;
    const char* code;
    const char* message;
};

constexpr std::array errorRows = {
    ErrorRow{ApiError::BadRequest, 400, "bad-request", "要求の形が正しくありません。"},
    ErrorRow{ApiError::HashMismatch, 400, "hash-mismatch", "問題集の中身がハッシュと合いません。"},
    ErrorRow{ApiError::SignedOut, 401, "signed-out", "サインインしてください。"},
    ErrorRow{ApiError::SignInFailed, 403, "sign-in-failed", "今のパスワードが違います。"},
    ErrorRow{ApiError::PupilSignInFailed, 401, "sign-in-failed",
             "クラスコード、出席番号、パスワードのどれかが違います。"},
    ErrorRow{ApiError::TeacherSignInFailed, 401, "sign-in-failed", "名前かパスワードが違います。"},
    ErrorRow{ApiError::Csrf, 403, "csrf", "ページを読み込み直してください。"},
    ErrorRow{ApiError::Origin, 403, "origin", "ほかのサイトからの要求は受け付けません。"},
    ErrorRow{ApiError::PasswordChangeRequired, 403, "password-change-required",
             "パスワードを変更してください。"},
    ErrorRow{ApiError::NotFound, 404, "not-found", "見つかりません。"},
    ErrorRow{ApiError::NumberTaken, 409, "number-taken", "その出席番号はもう使われています。"},
    ErrorRow{ApiError::SetUnknown, 409, "set-unknown", "問題集がまだサーバーにありません。"},
    ErrorRow{ApiError::TooLarge, 413, "too-large", "送るデータが大きすぎます。"},
    ErrorRow{ApiError::TooMany, 429, "too-many",
             "失敗が続きました。1分ほど待ってからもう一度試してください。"},
    ErrorRow{ApiError::Internal, 500, "internal", "サーバーで問題が起きました。"},
    ErrorRow{ApiError::Storage, 503, "storage",
             "サーバーのデータベースが使えません。しばらくしてからもう一度試してください。"},
};

const ErrorRow& rowOf(ApiError error) {
    for (const ErrorRow& row : errorRows)
        if (row.error == error) return row;
    return errorRows.back();
}

} // namespace

void answerJson(httplib::Response& response, int status, const nlohmann::json& body) {
    response.status = status;
    response.set_content(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                         "application/json; charset=utf-8");
}

void answerError(httplib::Response& response, ApiError error) {
    const ErrorRow& row = rowOf(error);
    answerJson(response, row.status, {{"error", row.code}, {"message", row.message}});
}

void answerRefused(httplib::Response& response, std::string_view reason) {
    answerJson(response, 422, {{"error", "refused"}, {"message", reason}});
}

std::optional<ApiError> errorForStatus(int status) {
    switch (status) {
    case 400:
        return ApiError::BadRequest;
    case 404:
        return ApiError::NotFound;
    case 413:
        return ApiError::TooLarge;
    case 500:
        return ApiError::Internal;
    default:
        return std::nullopt;
    }
}

} // namespace tavolini::server
