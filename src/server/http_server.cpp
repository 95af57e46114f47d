// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/http_server.h"

#include "server/admission.h"
#include "server/answers.h"
#include "server/routes.h"

#include <array>
#include <iostream>
#include <string_view>
#include <sys/socket.h>

namespace tavolini::server {

namespace {

using httplib::Request;
using httplib::Response;

struct MimeRow {
    const char* extension;
    const char* type;
};

constexpr std::array mimeTypes = {
    MimeRow{"html", "text/html; charset=utf-8"},
    MimeRow{"js", "text/javascript; charset=utf-8"},
    MimeRow{"mjs", "text/javascript; charset=utf-8"},
    MimeRow{"css", "text/css; charset=utf-8"},
    MimeRow{"wasm", "application/wasm"},
    MimeRow{"json", "application/json"},
    MimeRow{"webmanifest", "application/manifest+json"},
    MimeRow{"svg", "image/svg+xml"},
    MimeRow{"png", "image/png"},
    MimeRow{"ico", "image/x-icon"},
    MimeRow{"woff2", "font/woff2"},
    MimeRow{"txt", "text/plain; charset=utf-8"},
    MimeRow{"sim", "application/octet-stream"}, // the shipped problem set, in CP932
};

bool isApi(const Request& request) {
    return std::string_view(request.path).starts_with("/api/");
}

// The help pages may stand in a frame of the site's own (the page shows them
// in one), in no other; everything else in none.
void addSecurityHeaders(const Request& request, Response& response) {
    const bool api = isApi(request);
    const bool framedHelp = std::string_view(request.path).starts_with("/help/");
    response.set_header(
        "Content-Security-Policy",
        std::string("default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
                    "img-src 'self' data: blob:; font-src 'self'; connect-src 'self'; "
                    "object-src 'none'; base-uri 'none'; frame-ancestors ") +
            (framedHelp ? "'self'" : "'none'") + "; form-action 'self'");
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_header("Referrer-Policy", "no-referrer");
    response.set_header("X-Frame-Options", framedHelp ? "SAMEORIGIN" : "DENY");
    if (api) response.set_header("Cache-Control", "no-store");
}

// The site's files have no handler of their own: their Origin is checked
// before routing (they have no body to leave unread).
httplib::Server::HandlerResponse screenSite(const Request& request, Response& response, bool tls) {
    if (isApi(request) || (request.method != "GET" && request.method != "HEAD") ||
        !fromForeignOrigin(request, tls))
        return httplib::Server::HandlerResponse::Unhandled;
    answerError(response, ApiError::Origin);
    return httplib::Server::HandlerResponse::Handled;
}

// Storage failures are the server's to report, not the page's to read.
void answerException(const Request&, Response& response, const std::exception_ptr& thrown) {
    try {
        std::rethrow_exception(thrown);
    } catch (const StorageError& error) {
        std::cerr << "storage: " << error.what() << std::endl;
        answerError(response, ApiError::Storage);
    } catch (const std::exception& error) {
        std::cerr << "request failed: " << error.what() << std::endl;
        answerError(response, ApiError::Internal);
    } catch (...) {
        answerError(response, ApiError::Internal);
    }
}

// Registered last: anything else under /api/ is not there, and the site takes
// nothing but GET and HEAD.
void addFallbackRoutes(Routes& routes) {
    const auto notFound = [](const Request&, Response& response) {
        answerError(response, ApiError::NotFound);
    };
    routes.get("/api/.*", notFound);
    routes.post("/api/.*", notFound);
    routes.put("/api/.*", notFound);
    routes.remove("/api/.*", notFound);
    const auto onlyRead = [](const Request&, Response& response) {
        response.status = 405;
        response.set_header("Allow", "GET, HEAD");
    };
    routes.post("/.*", onlyRead);
    routes.put("/.*", onlyRead);
    routes.remove("/.*", onlyRead);
}

// httplib listens with a backlog of 5, too few for forty browsers connecting
// in the same second; its socket is a protected member, reached through a
// class of our own.
struct ListeningSocket : httplib::Server {
    static socket_t of(httplib::Server& server) { return (server.*(&ListeningSocket::svr_sock_)).load(); }
};

} // namespace

bool setUpServer(httplib::Server& server, Storage& storage, const std::string& siteFolder, bool tls) {
    server.new_task_queue = [] { return new httplib::ThreadPool(workerThreads); };
    server.set_payload_max_length(maxBodyBytes);
    // An answer goes out in two writes, its head and its body: with Nagle's
    // rule the body's last part waits for the browser's delayed ACK of the
    // head, some 40 ms, on every answer larger than a packet.
    server.set_tcp_nodelay(true);
    server.set_pre_routing_handler(
        [tls](const Request& request, Response& response) { return screenSite(request, response, tls); });
    server.set_post_routing_handler(addSecurityHeaders);
    server.set_exception_handler(answerException);
    // httplib's own refusals (413, 404, a bad request line) get the interface's error body.
    server.set_error_handler([](const Request&, Response& response) {
        const std::optional<ApiError> error = errorForStatus(response.status);
        if (response.body.empty() && error) answerError(response, *error);
    });
    Routes routes(server, tls);
    addAccountRoutes(routes, storage);
    addClassRoutes(routes, storage);
    addCompletionRoutes(routes, storage);
    addOverviewRoutes(routes, storage, siteFolder);
    addFallbackRoutes(routes);
    for (const MimeRow& row : mimeTypes)
        server.set_file_extension_and_mimetype_mapping(row.extension, row.type);
    return server.set_mount_point("/", siteFolder);
}

int bindServer(httplib::Server& server, const std::string& host, int port) {
    if (port == 0)
        port = server.bind_to_any_port(host);
    else if (!server.bind_to_port(host, port))
        return -1;
    if (port > 0) ::listen(ListeningSocket::of(server), SOMAXCONN);
    return port;
}

} // namespace tavolini::server
