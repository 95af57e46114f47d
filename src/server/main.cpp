// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/http_server.h"
#include "server/open_storage.h"
#include "server/passwords.h"
#include "server/server_options.h"
#include "server/site_folder.h"
#include "server/sqlite_storage.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <pthread.h>
#include <thread>

namespace {

using namespace tavolini::server;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// On the first start the database has no teacher: one is made with a password
// shown once, here, to whoever started the server.
void addFirstTeacher(Storage& storage) {
    if (storage.teacherCount() > 0) return;
    const std::string password = newTeacherPassword();
    const std::optional<std::string> hash = hashPassword(password);
    if (!hash) throw StorageError("no memory to hash the first password");
    storage.addTeacher("teacher", *hash, true);
    std::cout << "First teacher account: teacher / " << password << " (change it at the first sign-in)"
              << std::endl;
}

int backup(const ServerOptions& options) {
    if (!options.databaseUrl.empty()) {
        std::cerr << "A PostgreSQL database is backed up with pg_dump, e.g. pg_dump -Fc -f FILE '"
                  << "<connection string>'" << std::endl;
        return 2;
    }
    backupSqlite(options.dataFolder, options.backupFile);
    std::cout << "Backed up to " << options.backupFile << std::endl;
    return 0;
}

std::unique_ptr<httplib::Server> makeServer(const ServerOptions& options) {
    if (options.tlsCertificate.empty()) return std::make_unique<httplib::Server>();
    return std::make_unique<httplib::SSLServer>(options.tlsCertificate.c_str(), options.tlsKey.c_str());
}

int serve(const ServerOptions& options) {
    const std::unique_ptr<Storage> storage = openStorage(options);
    addFirstTeacher(*storage);
    const bool tls = !options.tlsCertificate.empty();
    const std::unique_ptr<httplib::Server> server = makeServer(options);
    if (!server->is_valid()) {
        std::cerr << "cannot read the TLS certificate or key" << std::endl;
        return 1;
    }
    if (!setUpServer(*server, *storage, options.siteFolder, tls))
        std::cerr << "no web site at " << options.siteFolder << "; serving the interface only" << std::endl;
    const int port = bindServer(*server, options.host, options.port);
    if (port < 0) {
        std::cerr << "cannot listen on " << options.host << ":" << options.port << std::endl;
        return 1;
    }
    // The signals wait for a thread of their own, which stops the server;
    // blocked here, before any other thread starts, they reach no other.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::atomic<bool> listened = false;
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        // A stop asked for before the server runs would be lost.
        while (!server->is_running() && !listened)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        server->stop();
    });
    const bool ipv6 = options.host.find(':') != std::string::npos;
    std::cout << "Listening on " << (tls ? "https" : "http") << "://" << (ipv6 ? "[" : "") << options.host
              << (ipv6 ? "]" : "") << ":" << port << std::endl;
    server->listen_after_bind();
    listened = true;
    // Stopped by a signal or not, the waiting thread is released the same way.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const OptionsReading reading =
        readServerOptions(std::vector<std::string>(argv + 1, argv + argc), environment("HOME"),
                          environment("TAVOLINI_SERVER_HOME"), defaultSiteFolder());
    if (!reading.options) {
        std::cerr << reading.error << "\n" << serverUsage();
        return 2;
    }
    const ServerOptions& options = *reading.options;
    if (options.help) {
        std::cout << serverUsage();
        return 0;
    }
    if (!startSodium()) {
        std::cerr << "libsodium cannot start" << std::endl;
        return 1;
    }
    try {
        return options.backupFile.empty() ? serve(options) : backup(options);
    } catch (const StorageError& error) {
        std::cerr << "storage: " << error.what() << std::endl;
        return 1;
    }
}
