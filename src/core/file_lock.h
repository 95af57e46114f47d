// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/text_file.h"

#include <chrono>
#include <optional>
#include <string>

namespace tavolini {

enum class WhenMissing { Create, Leave };

// An exclusive advisory lock on a file that is changed by reading it and
// renaming a new one over it, so that two copies of the program never both
// read the old file and one of their changes is lost. The lock belongs to
// the open file description (not to the process, so closing another
// descriptor of the same file keeps it) and is taken again when another copy
// renamed a new file over the path while this one waited. The wait is
// bounded: a copy that keeps the file longer leaves it Busy. Only a regular
// file is opened, and never in a way that blocks: a FIFO cannot hang us.
// The lock is released when the object goes.
class FileLock {
  public:
    enum class Status {
        Locked,
        Missing,    // nothing at the path, and it was not to be created
        Unreadable, // not a regular file, or it cannot be read
        Unwritable, // a regular file that cannot be written, or one that cannot be created
        Busy,       // another holder kept it locked for all of the wait
    };

    FileLock(const std::string& path, WhenMissing whenMissing, std::chrono::milliseconds wait);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    Status status() const { return m_status; }
    // Why the file could not be opened or made for writing, when Unwritable.
    WriteFault fault() const { return m_fault; }

    // The locked file's bytes; nothing when it is not locked or cannot be read.
    std::optional<std::string> readAll() const;

  private:
    int m_fd = -1;
    Status m_status = Status::Missing;
    WriteFault m_fault = WriteFault::None;
};

} // namespace tavolini
