// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/postgres_cluster.h"

#include "support/temp_folder.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pqxx/pqxx>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavolini {

namespace {

const std::string programs = "/usr/lib/postgresql/15/bin/";
constexpr std::string_view superuser = "tavolini";

bool runningAsRoot() {
    return ::geteuid() == 0;
}

} // namespace

bool PostgresCluster::installed() {
    return ::access((programs + "initdb").c_str(), X_OK) == 0;
}

PostgresCluster::PostgresCluster() {
    std::string pattern = "/tmp/tavolini-pg-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        m_failure = "cannot make a folder under /tmp";
        return;
    }
    m_folder = pattern;
    if (runningAsRoot()) {
        const passwd* postgres = ::getpwnam("postgres");
        if (postgres == nullptr || ::chown(m_folder.c_str(), postgres->pw_uid, postgres->pw_gid) != 0) {
            m_failure = "no postgres user to run PostgreSQL as";
            return;
        }
    }
    const std::string data = m_folder + "/data";
    // initdb's own syncing is skipped (the folder goes at the end); the server's is on.
    if (!runAsOwner(programs + "initdb", {"-D", data, "-U", std::string(superuser), "--auth=trust",
                                          "--no-sync", "-E", "UTF8", "--locale=C"})) {
        m_failure = "initdb failed: " + readBytes(m_folder + "/commands.log");
        return;
    }
    std::ofstream(data + "/postgresql.conf", std::ios::app)
        << "listen_addresses = ''\nunix_socket_directories = '" << m_folder
        << "'\nfsync = on\nsynchronous_commit = on\nfull_page_writes = on\nmax_connections = 200\n";
    if (!runAsOwner(programs + "pg_ctl",
                    {"-D", data, "-l", m_folder + "/server.log", "-w", "-t", "60", "start"})) {
        m_failure = "pg_ctl start failed: " + readBytes(m_folder + "/server.log");
        return;
    }
    m_running = true;
}

PostgresCluster::~PostgresCluster() {
    if (m_running) runAsOwner(programs + "pg_ctl", {"-D", m_folder + "/data", "-m", "fast", "-w", "stop"});
    std::error_code ignored;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
}

std::string PostgresCluster::connectionString(std::string_view database) const {
    return "postgresql:///" + std::string(database) + "?host=" + m_folder + "&user=" + std::string(superuser);
}

std::string PostgresCluster::createDatabase(std::string_view name) {
    try {
        pqxx::connection connection(connectionString("postgres"));
        pqxx::nontransaction transaction(connection);
        transaction.exec("CREATE DATABASE " + transaction.quote_name(std::string(name)));
        return connectionString(name);
    } catch (const std::exception&) {
        return {};
    }
}

// Runs the program in the cluster's folder, as the postgres user when we are
// root, its output appended to commands.log.
bool PostgresCluster::runAsOwner(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> command;
    if (runningAsRoot()) command = {"/usr/sbin/runuser", "-u", "postgres", "--"};
    command.push_back(program);
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : command)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const std::string log = m_folder + "/commands.log";
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        const int output = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (output >= 0) {
            ::dup2(output, STDOUT_FILENO);
            ::dup2(output, STDERR_FILENO);
        }
        if (::chdir(m_folder.c_str()) != 0) ::_exit(126);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace tavolini
