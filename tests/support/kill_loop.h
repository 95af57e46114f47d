// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <chrono>
#include <csignal>
#include <functional>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace tavolini {

// Runs `work` once in a child process and waits for it: how long a child
// takes to start, work and end on this machine, in this build.
inline std::chrono::microseconds timeInChild(const std::function<void()>& work) {
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        ::_exit(0);
    }
    int status = 0;
    if (child > 0) ::waitpid(child, &status, 0);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
}

// `kills` times: `prepare`, then a child runs `work` over and over and is
// killed (SIGKILL) after a random delay of up to twice the time one `work`
// takes in a child; then `check`. Returns false when a fork failed.
inline bool killAtRandomMoments(int kills, const std::function<void()>& prepare,
                                const std::function<void()>& work, const std::function<void()>& check) {
    const std::chrono::microseconds once = timeInChild(work);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<long> delay(0, 2 * once.count());
    for (int kill = 0; kill < kills; ++kill) {
        prepare();
        const pid_t child = ::fork();
        if (child < 0) return false;
        if (child == 0) {
            for (;;)
                work();
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        check();
    }
    return true;
}

} // namespace tavolini
