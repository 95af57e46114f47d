// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <optional>
#include <string>

namespace tavolini {

// Where the pupil's problem set and records live: `tavoliniHome` when it is
// set and not empty, else "Tavolini" in the home folder; nothing when
// neither is known.
std::optional<std::string> practiceFolder(const char* tavoliniHome, const char* home);

enum class SeedResult {
    Seeded,
    AlreadyThere,
    NotAFolder, // something else has the folder's name
    FolderNotMade,
    FolderNotWritable,
    ShippedSetMissing, // the installation is incomplete
    CopyFailed,
};

// Makes the folder if need be and puts a copy of the shipped problem set in
// it, named "ZUdir.sim", unless a set is there already: a teacher's set is
// never overwritten.
SeedResult seedPracticeFolder(const std::string& folder, const std::string& shippedSet);

// What went wrong, naming the folder or file, code page 932; empty when the
// folder is ready.
std::string seedFailureMessage(SeedResult result, const std::string& folder, const std::string& shippedSet);

} // namespace tavolini
