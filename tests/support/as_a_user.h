// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace tavolini {

// Runs `run` as an ordinary user and returns what it returns (0 to 254): the
// superuser may write into any folder, so it runs as nobody in a child.
inline int asAUser(const std::function<int()>& run) {
    if (::geteuid() != 0) return run();
    const pid_t child = ::fork();
    if (child == 0) ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 ? run() : 255);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

} // namespace tavolini
