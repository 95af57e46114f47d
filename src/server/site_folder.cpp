// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/site_folder.h"

#include <filesystem>
#include <system_error>

namespace tavolini::server {

std::string siteFolderFor(const std::string& programPath, const std::string& installedRelative,
                          const std::string& builtSite) {
    namespace fs = std::filesystem;
    if (!programPath.empty()) {
        const fs::path installed =
            (fs::path(programPath).parent_path() / installedRelative).lexically_normal();
        std::error_code error;
        if (fs::is_regular_file(installed / "index.html", error)) return installed.string();
    }
    return builtSite;
}

std::string defaultSiteFolder() {
    std::error_code error;
    // The program's real place, whatever way it was started.
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return siteFolderFor(error ? std::string() : program.string(), TAVOLINI_INSTALLED_SITE,
                         TAVOLINI_BUILT_SITE);
}

} // namespace tavolini::server
