// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/routes.h"

#include "server/admission.h"
#include "server/answers.h"

namespace tavolini::server {

Routes::Handler Routes::screened(Handler handler) const {
    return [handler = std::move(handler), tls = tls_](const httplib::Request& request,
                                                      httplib::Response& response) {
        if (fromForeignOrigin(request, tls)) return answerError(response, ApiError::Origin);
        handler(request, response);
    };
}

void Routes::get(const std::string& pattern, Handler handler) {
    server_.Get(pattern, screened(std::move(handler)));
}
void Routes::post(const std::string& pattern, Handler handler) {
    server_.Post(pattern, screened(std::move(handler)));
}
void Routes::put(const std::string& pattern, Handler handler) {
    server_.Put(pattern, screened(std::move(handler)));
}
void Routes::remove(const std::string& pattern, Handler handler) {
    server_.Delete(pattern, screened(std::move(handler)));
}

} // namespace tavolini::server
