// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace tavolini {

// tavolini-server run as a child on 127.0.0.1 at a port the system chooses,
// its output read: the port it listens on and the first teacher's password
// when this start made the account. Killed (SIGKILL) with the object if
// still running.
class ServerProcess {
  public:
    // Waits up to 60 s for "Listening on"; see listening() and output().
    ServerProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    bool listening() const { return m_port > 0; }
    int port() const { return m_port; }
    const std::string& firstPassword() const { return m_firstPassword; }
    // What it printed so far, for a failure's message.
    std::string output();

    // SIGKILL, as a power cut would stop it, and waits for it.
    void kill();

  private:
    void readOutput(int pipe);

    pid_t m_pid = -1;
    int m_port = 0;
    std::string m_firstPassword;
    std::mutex m_mutex;
    std::condition_variable m_printed;
    std::string m_output;
    bool m_closed = false;
    std::thread m_reader;
};

// A program run to its end with its output read; its exit status and output.
struct ProgramRun {
    int status = -1;
    std::string output;
};
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments);

} // namespace tavolini
