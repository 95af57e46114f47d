// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/storage.h"

#include <httplib.h>
#include <string>

namespace tavolini::server {

// The server's handlers, each behind the Origin check; checked after the body
// is read, so that a refusal never leaves a body unread on the connection.
class Routes {
  public:
    using Handler = httplib::Server::Handler;

    Routes(httplib::Server& server, bool tls) : server_(server), tls_(tls) {}

    void get(const std::string& pattern, Handler handler);
    void post(const std::string& pattern, Handler handler);
    void put(const std::string& pattern, Handler handler);
    void remove(const std::string& pattern, Handler handler);
    bool tls() const { return tls_; }

  private:
    Handler screened(Handler handler) const;

    httplib::Server& server_;
    bool tls_;
};

// Sessions, sign-in and sign-out, the teacher's password.
void addAccountRoutes(Routes& routes, Storage& storage);
// Classes and their pupils, for their teacher.
void addClassRoutes(Routes& routes, Storage& storage);
// Sets, completions and the ★ counts.
void addCompletionRoutes(Routes& routes, Storage& storage);
// Handing a set out to a class, and the class's overview on it; the site's
// own set stands for one never handed out.
void addOverviewRoutes(Routes& routes, Storage& storage, const std::string& siteFolder);

} // namespace tavolini::server
