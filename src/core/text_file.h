// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

// The lines of a text file's bytes. A line ends at CR LF, a lone CR or a lone
// LF; a last line without an end still counts; a NUL byte ends the text.
std::vector<std::string> splitLines(std::string_view text);

// The bytes of a text file: every line followed by CR LF, nothing changed.
std::string joinLines(const std::vector<std::string>& lines);

enum class FileStatus { Read, Missing, Failed };

struct FileContents {
    FileStatus status = FileStatus::Missing;
    std::string bytes;
};

// The whole file at `path`. Missing when nothing is there (or a folder on the
// way is missing); Failed when something is there but cannot be read.
FileContents readWholeFile(const std::string& path);

// Replaces the file at `path` with `bytes` so that it is either the old file
// or the whole new one, never a part: the bytes go to a new file in the same
// folder, are flushed to the disk and the new file is renamed over the old.
// On failure the new file is removed and the old one is left as it was.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace tavolini
