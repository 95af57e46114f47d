// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <optional>
#include <string>

namespace tavolini {

// What the command line asks for. It is read before the window system is
// reached, so that --help, --version and a mistyped option are answered
// without a display: `answered` is then the exit status.
struct CommandLine {
    std::optional<std::string> named; // a set to open at the start, from the folder it was named in
    bool selfTest = false;            // start, draw the first problem and end
    std::optional<int> answered;
};

CommandLine readCommandLine(int argc, char** argv);

} // namespace tavolini
