// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

// The lines of a text file's bytes. A line ends at CR LF, a lone CR or a lone
// LF; a last line without an end still counts. Every other byte, a NUL
// included, stays in its line for the reader to judge.
std::vector<std::string> splitLines(std::string_view text);

// The bytes of a text file: every line followed by CR LF, nothing changed.
std::string joinLines(const std::vector<std::string>& lines);

// Far above any real problem set or record file: a file larger than this is
// refused before it is read, so that a wrong file never fills the memory.
inline constexpr std::size_t MaxTextFileBytes = 1024 * 1024;

enum class FileStatus {
    Read,
    Missing,  // nothing there, or a folder on the way is missing
    Failed,   // something is there but cannot be read
    Folder,   // a folder, not a file
    NotAFile, // a pipe, a device or a socket: never read, a pipe would wait for ever
    TooLarge, // more than the limit
};

struct FileContents {
    FileStatus status = FileStatus::Missing;
    std::string bytes;
};

// The whole file at `path`, when it is a regular file of at most `limit` bytes.
FileContents readWholeFile(const std::string& path, std::size_t limit = MaxTextFileBytes);

// The bytes of the open file `fd` from its start: Read, Failed, or TooLarge
// when it holds more than `limit` bytes.
FileContents readOpenFile(int fd, std::size_t limit);

// Why a write did not happen, from what the system answered.
enum class WriteFault {
    None,
    NotAFile,     // a folder, a device, a pipe or a socket is at the name: never replaced
    ReadOnlyFile, // the file is there and may not be written
    NoFolder,     // the folder it would go in does not exist
    NoPermission, // the folder may not be written
    DiskFull,
    ReadOnlyDisk,
    NameTooLong,
    Failed, // anything else the system refused
};

// The fault for the errno of a failed open, write or rename.
WriteFault writeFaultOf(int error);

struct FileWrite {
    WriteFault fault = WriteFault::None;
    explicit operator bool() const { return fault == WriteFault::None; }
};

// Replaces the file at `path` with `bytes` so that it is either the old file
// or the whole new one, never a part: the bytes go to a new file in the same
// folder, are flushed to the disk and the new file is renamed over the old.
// On failure the new file is removed and the old one is left as it was.
// Symbolic links are written through: the file at the end is replaced, or
// made when it is not there yet, and the links stay. Only a regular file that
// may be written is replaced; anything else is refused before a byte is
// written. While the new file is written it is locked, so that a sweep of
// stale temporaries by another copy of the program leaves it alone.
FileWrite writeFileAtomically(const std::string& path, std::string_view bytes);

// PATH + ":" and why a write to it failed, for every file the program writes.
std::string fileWriteMessage(std::string_view path, WriteFault fault);

// Whether a file is at `path` that this user may not write.
bool isReadOnlyFile(const std::string& path);

// Removes the temporaries (".NAME.tavolini-XXXXXX") that a write left in
// `folder` when it was killed: only unlocked ones older than
// `minimumAgeSeconds`, so that a write going on in another copy of the
// program is never disturbed. Returns how many were removed.
int removeStaleTemporaries(const std::string& folder, int minimumAgeSeconds = 60);

} // namespace tavolini
