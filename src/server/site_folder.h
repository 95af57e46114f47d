// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string>

namespace tavolini::server {

// The web edition the server serves when --site is not given: the one the
// package installed beside the program (`installedRelative` from the
// program's folder, holding an index.html), else `builtSite`.
std::string siteFolderFor(const std::string& programPath, const std::string& installedRelative,
                          const std::string& builtSite);

// The same for this program, as this build installs it and builds the site.
std::string defaultSiteFolder();

} // namespace tavolini::server
