// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/practice_folder.h"

#include "core/cp932.h"
#include "core/text_file.h"
#include "files/problem_set.h"

#include <filesystem>
#include <unistd.h>

namespace tavolini {

std::optional<std::string> practiceFolder(const char* tavoliniHome, const char* home) {
    if (tavoliniHome != nullptr && *tavoliniHome != '\0') return std::string(tavoliniHome);
    if (home != nullptr && *home != '\0') return (std::filesystem::path(home) / "Tavolini").string();
    return std::nullopt;
}

SeedResult seedPracticeFolder(const std::string& folder, const std::string& shippedSet) {
    std::error_code error;
    if (std::filesystem::exists(folder, error) && !std::filesystem::is_directory(folder, error))
        return SeedResult::NotAFolder;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error)) return SeedResult::FolderNotMade;
    const std::string target = (std::filesystem::path(folder) / DefaultProblemSet).string();
    if (std::filesystem::exists(std::filesystem::symlink_status(target, error)))
        return SeedResult::AlreadyThere;
    if (::access(folder.c_str(), W_OK) != 0) return SeedResult::FolderNotWritable;
    const FileContents shipped = readWholeFile(shippedSet);
    if (shipped.status != FileStatus::Read) return SeedResult::ShippedSetMissing;
    return writeFileAtomically(target, shipped.bytes) ? SeedResult::Seeded : SeedResult::CopyFailed;
}

std::string seedFailureMessage(SeedResult result, const std::string& folder, const std::string& shippedSet) {
    switch (result) {
    case SeedResult::Seeded:
    case SeedResult::AlreadyThere:
        break;
    case SeedResult::NotAFolder:
        return folder + cp932(":フォルダではないので練習フォルダに使えません");
    case SeedResult::FolderNotMade:
        return folder + cp932(":練習フォルダを作れません");
    case SeedResult::FolderNotWritable:
        return folder + cp932(":練習フォルダに書き込めません");
    case SeedResult::ShippedSetMissing:
        return shippedSet + cp932(":ありません。インストールが不完全です");
    case SeedResult::CopyFailed:
        return folder + "/" + std::string(DefaultProblemSet) + cp932(":ファイルに書き込めません");
    }
    return {};
}

} // namespace tavolini
