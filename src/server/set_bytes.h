// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "files/problem_set.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini::server {

// The set as the program would open it: code page 932 text, no larger than
// a file it reads, its tables read; nothing otherwise.
std::optional<ProblemSet> readSetBytes(std::string_view bytes);

// What the editor's check says of a set sent as the file `nameUtf8`, in UTF-8.
struct SetCheck {
    bool passed = false;
    std::string result;                // the check's result line
    std::vector<std::string> messages; // what it found, in order
};
SetCheck checkSetBytes(std::string_view nameUtf8, std::string_view bytes);

// A unit of a read set as the pages show it.
struct SetUnit {
    std::string title; // UTF-8
    int problems = 0;
};
std::vector<SetUnit> unitsOf(const ProblemSet& set);

} // namespace tavolini::server
