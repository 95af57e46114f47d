// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/file_lock.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace tavolini {
namespace {

constexpr int LockAttempts = 10000;

// How often a held lock is tried again while waiting.
constexpr std::chrono::milliseconds RetryInterval{20};

using Clock = std::chrono::steady_clock;

// O_NONBLOCK keeps the open of a FIFO from waiting for a writer; regular
// files ignore it.
constexpr int NonBlockingOpen = O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

bool isRegular(int fd, struct stat& info) {
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

void closeDescriptor(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

struct NotOpened {
    FileLock::Status status;
    WriteFault fault = WriteFault::None;
};

// Why the path could not be opened for writing (the system said `error`),
// found by opening it for reading only.
NotOpened whyNotOpened(const std::string& path, WhenMissing whenMissing, int error) {
    int fd = ::open(path.c_str(), O_RDONLY | NonBlockingOpen);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) return {FileLock::Status::Unreadable};
        // A folder on the way is missing or cannot take a new file.
        if (whenMissing == WhenMissing::Leave) return {FileLock::Status::Missing};
        return {FileLock::Status::Unwritable, writeFaultOf(error)};
    }
    struct stat info {};
    const bool regular = isRegular(fd, info);
    closeDescriptor(fd);
    if (!regular) return {FileLock::Status::Unreadable};
    const WriteFault fault = writeFaultOf(error);
    // Refused while the folder is fine: the file itself may not be written.
    return {FileLock::Status::Unwritable,
            fault == WriteFault::NoPermission ? WriteFault::ReadOnlyFile : fault};
}

// Takes both kinds of whole-file lock, so that a holder of either (another
// copy, or flock(1) in a script) is waited for. False while one is held
// elsewhere. Where the file system keeps no locks the file is still used,
// unguarded, as it always was.
bool tryLock(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return false;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &whole) != 0 && (errno == EAGAIN || errno == EACCES)) {
        ::flock(fd, LOCK_UN);
        return false;
    }
    return true;
}

bool waitForLock(int fd, Clock::time_point deadline) {
    while (!tryLock(fd)) {
        const Clock::time_point now = Clock::now();
        if (now >= deadline) return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(RetryInterval, deadline - now));
    }
    return true;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

FileLock::FileLock(const std::string& path, WhenMissing whenMissing, std::chrono::milliseconds wait) {
    const Clock::time_point deadline = Clock::now() + wait;
    const int create = whenMissing == WhenMissing::Create ? O_CREAT : 0;
    // Every new try follows a change another copy completed, so this waits
    // about as long as a lock would; the bound is only for a file system
    // whose file numbers do not hold still, where we would never succeed.
    for (int attempt = 0; attempt < LockAttempts; ++attempt) {
        m_fd = ::open(path.c_str(), O_RDWR | create | NonBlockingOpen, 0666);
        if (m_fd < 0) {
            const NotOpened why = whyNotOpened(path, whenMissing, errno);
            m_status = why.status;
            m_fault = why.fault;
            return;
        }
        struct stat locked {};
        if (!isRegular(m_fd, locked)) {
            closeDescriptor(m_fd);
            m_status = Status::Unreadable;
            return;
        }
        if (!waitForLock(m_fd, deadline)) {
            closeDescriptor(m_fd);
            m_status = Status::Busy;
            return;
        }
        // While we waited, another copy may have renamed its new file over
        // the one we hold: then the path is no longer what we locked.
        struct stat current {};
        if (::stat(path.c_str(), &current) == 0 && sameFile(current, locked)) {
            m_status = Status::Locked;
            return;
        }
        closeDescriptor(m_fd);
    }
    m_status = Status::Unwritable;
    m_fault = WriteFault::Failed;
}

FileLock::~FileLock() {
    closeDescriptor(m_fd);
}

std::optional<std::string> FileLock::readAll() const {
    if (m_status != Status::Locked) return std::nullopt;
    FileContents contents = readOpenFile(m_fd, MaxTextFileBytes); // no record file is that large
    if (contents.status != FileStatus::Read) return std::nullopt;
    return std::move(contents.bytes);
}

} // namespace tavolini
