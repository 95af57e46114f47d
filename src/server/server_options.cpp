// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/server_options.h"

#include <charconv>
#include <string_view>

namespace tavolini::server {

namespace {

// "host:port"; a port of 0 lets the system choose (tests use it).
bool readListen(std::string_view text, ServerOptions& options) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    int port = -1;
    const std::string_view digits = text.substr(colon + 1);
    const auto [end, fault] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (fault != std::errc() || end != digits.data() + digits.size() || port < 0 || port > 65535)
        return false;
    options.host = std::string(text.substr(0, colon));
    options.port = port;
    return true;
}

} // namespace

OptionsReading readServerOptions(const std::vector<std::string>& arguments, const std::string& home,
                                 const std::string& serverHome, const std::string& builtSite) {
    ServerOptions options;
    options.dataFolder = !serverHome.empty() ? serverHome : home + "/TavoliniServer";
    options.siteFolder = builtSite;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (i + 1 == arguments.size()) return {std::nullopt, "unknown option or missing value: " + name};
        const std::string& value = arguments[++i];
        if (name == "--listen") {
            if (!readListen(value, options)) return {std::nullopt, "--listen wants host:port, not " + value};
        } else if (name == "--data") {
            options.dataFolder = value;
        } else if (name == "--database") {
            if (!value.starts_with("postgresql://") && !value.starts_with("postgres://"))
                return {std::nullopt, "--database wants a postgresql:// connection string"};
            options.databaseUrl = value;
        } else if (name == "--site") {
            options.siteFolder = value;
        } else if (name == "--tls-cert") {
            options.tlsCertificate = value;
        } else if (name == "--tls-key") {
            options.tlsKey = value;
        } else if (name == "--backup") {
            options.backupFile = value;
        } else {
            return {std::nullopt, "unknown option: " + name};
        }
    }
    if (options.tlsCertificate.empty() != options.tlsKey.empty())
        return {std::nullopt, "--tls-cert and --tls-key go together"};
    if (options.dataFolder.empty() || options.dataFolder == "/TavoliniServer")
        return {std::nullopt, "no data folder: set HOME, TAVOLINI_SERVER_HOME or --data"};
    return {options, {}};
}

std::string serverUsage() {
    return "Usage: tavolini-server [options]\n"
           "  --listen HOST:PORT   where to listen (default 127.0.0.1:8080)\n"
           "  --data DIR           the server's folder, with its SQLite database\n"
           "                       (default ~/TavoliniServer, or $TAVOLINI_SERVER_HOME)\n"
           "  --database URL       keep everything in PostgreSQL (postgresql://...)\n"
           "  --site DIR           the web edition to serve (default: the one built)\n"
           "  --tls-cert FILE      serve HTTPS with this certificate chain (PEM)\n"
           "  --tls-key FILE       and this private key (PEM)\n"
           "  --backup FILE        copy the SQLite database to FILE while it is in use, then stop\n";
}

} // namespace tavolini::server
