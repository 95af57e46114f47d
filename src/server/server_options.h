// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavolini::server {

// What tavolini-server was started with.
struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::string dataFolder;  // holds the SQLite file; ~/TavoliniServer or $TAVOLINI_SERVER_HOME
    std::string databaseUrl; // postgresql://…; empty: the SQLite file in dataFolder
    std::string siteFolder;  // the built web edition
    std::string tlsCertificate;
    std::string tlsKey;
    std::string backupFile; // with --backup: copy the database there and stop
    bool help = false;
};

struct OptionsReading {
    std::optional<ServerOptions> options;
    std::string error; // why the command line was refused
};

// The command line after the program's name; `home` and `serverHome` are
// $HOME and $TAVOLINI_SERVER_HOME (empty when unset), `builtSite` the site
// the build made.
OptionsReading readServerOptions(const std::vector<std::string>& arguments, const std::string& home,
                                 const std::string& serverHome, const std::string& builtSite);

// What --help prints.
std::string serverUsage();

} // namespace tavolini::server
