// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/practice_folder.h"

#include "core/text_file.h"
#include "files/problem_set.h"

#include <filesystem>

namespace tavolini {

std::optional<std::string> practiceFolder(const char* tavoliniHome, const char* home) {
    if (tavoliniHome != nullptr && *tavoliniHome != '\0') return std::string(tavoliniHome);
    if (home != nullptr && *home != '\0') return (std::filesystem::path(home) / "Tavolini").string();
    return std::nullopt;
}

SeedResult seedPracticeFolder(const std::string& folder, const std::string& shippedSet) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return SeedResult::Failed;
    const std::string target = (std::filesystem::path(folder) / DefaultProblemSet).string();
    if (std::filesystem::exists(target, error)) return SeedResult::AlreadyThere;
    const FileContents shipped = readWholeFile(shippedSet);
    if (shipped.status != FileStatus::Read || !writeFileAtomically(target, shipped.bytes))
        return SeedResult::Failed;
    return SeedResult::Seeded;
}

} // namespace tavolini
