// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/server_process.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tavolini {
namespace {

constexpr std::string_view listeningLine = "Listening on http://127.0.0.1:";
constexpr std::string_view passwordLine = "First teacher account: teacher / ";

// Starts the program with its standard output into a pipe; the pipe's
// reading end, or -1.
int spawnReading(const std::string& program, const std::vector<std::string>& arguments, pid_t& pid) {
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC) != 0) return -1;
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    const int fault = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (fault != 0) {
        ::close(ends[0]);
        pid = -1;
        return -1;
    }
    return ends[0];
}

// The text after `prefix` up to the line's end, when a line starts with it.
std::string afterPrefix(const std::string& output, std::string_view prefix) {
    const std::size_t at = output.find(prefix);
    if (at == std::string::npos) return {};
    const std::size_t start = at + prefix.size();
    const std::size_t end = output.find_first_of(" \n", start);
    return end == std::string::npos ? std::string() : output.substr(start, end - start);
}

} // namespace

ServerProcess::ServerProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> withListen = arguments;
    withListen.insert(withListen.end(), {"--listen", "127.0.0.1:0"});
    const int pipe = spawnReading(program, withListen, m_pid);
    if (pipe < 0) return;
    m_reader = std::thread([this, pipe] { readOutput(pipe); });
    std::unique_lock lock(m_mutex);
    const auto listeningPrinted = [this] {
        return m_closed || m_output.find(listeningLine) != std::string::npos;
    };
    if (!m_printed.wait_for(lock, std::chrono::seconds(60), listeningPrinted)) return;
    const std::string port = afterPrefix(m_output, listeningLine);
    std::from_chars(port.data(), port.data() + port.size(), m_port);
    m_firstPassword = afterPrefix(m_output, passwordLine);
}

ServerProcess::~ServerProcess() {
    kill();
}

// Read to the end, so that the server never waits on a full pipe.
void ServerProcess::readOutput(int pipe) {
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t got = ::read(pipe, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        std::lock_guard lock(m_mutex);
        if (got <= 0) {
            m_closed = true;
            m_printed.notify_all();
            break;
        }
        // Only the start is looked at; later lines are dropped.
        if (m_output.size() < 65536) m_output.append(buffer.data(), static_cast<std::size_t>(got));
        m_printed.notify_all();
    }
    ::close(pipe);
}

std::string ServerProcess::output() {
    std::lock_guard lock(m_mutex);
    return m_output;
}

void ServerProcess::kill() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
    if (m_reader.joinable()) m_reader.join();
    m_port = 0;
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments) {
    ProgramRun run;
    pid_t pid = -1;
    const int pipe = spawnReading(program, arguments, pid);
    if (pipe < 0) return run;
    std::array<char, 4096> buffer{};
    ssize_t got = 0;
    while ((got = ::read(pipe, buffer.data(), buffer.size())) > 0 || (got < 0 && errno == EINTR))
        if (got > 0) run.output.append(buffer.data(), static_cast<std::size_t>(got));
    ::close(pipe);
    int status = 0;
    if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

} // namespace tavolini
