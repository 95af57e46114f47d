// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/server_options.h"

#include <gtest/gtest.h>

namespace tavolini::server {
namespace {

OptionsReading read(std::vector<std::string> arguments, std::string serverHome = {}) {
    return readServerOptions(arguments, "/home/t", serverHome, "/built/site");
}

TEST(ServerOptions, DefaultsAndEachOption) {
    const ServerOptions defaults = *read({}).options;
    EXPECT_EQ(defaults.host, "127.0.0.1");
    EXPECT_EQ(defaults.port, 8080);
    EXPECT_EQ(defaults.dataFolder, "/home/t/TavoliniServer");
    EXPECT_EQ(defaults.siteFolder, "/built/site");
    EXPECT_EQ(read({}, "/srv/tavolini").options->dataFolder, "/srv/tavolini");

    const ServerOptions given =
        *read({"--listen", "0.0.0.0:443", "--data", "/d", "--database", "postgresql:///tavolini?host=/tmp",
               "--site", "/s", "--tls-cert", "c.pem", "--tls-key", "k.pem", "--backup", "b.db"})
             .options;
    EXPECT_EQ(given.host, "0.0.0.0");
    EXPECT_EQ(given.port, 443);
    EXPECT_EQ(given.dataFolder, "/d");
    EXPECT_EQ(given.databaseUrl, "postgresql:///tavolini?host=/tmp");
    EXPECT_EQ(given.siteFolder, "/s");
    EXPECT_EQ(given.tlsCertificate, "c.pem");
    EXPECT_EQ(given.tlsKey, "k.pem");
    EXPECT_EQ(given.backupFile, "b.db");
}

TEST(ServerOptions, RefusesWhatCannotBeMeant) {
    const std::vector<std::vector<std::string>> refused = {
        {"--listen", "8080"},       {"--listen", "host:"},
        {"--listen", "host:70000"}, {"--listen", "host:8o"},
        {"--listen", ":80"},        {"--database", "mysql://x"},
        {"--tls-cert", "c.pem"},    {"--data"},
        {"--frobnicate", "1"},
    };
    for (const auto& arguments : refused) {
        const OptionsReading reading = read(arguments);
        EXPECT_FALSE(reading.options) << arguments[0] << " " << (arguments.size() > 1 ? arguments[1] : "");
        EXPECT_FALSE(reading.error.empty());
    }
}

} // namespace
} // namespace tavolini::server
