// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/text_file.h"

#include "core/cp932.h"

#include <array>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavolini {
namespace {

constexpr int TemporaryNameAttempts = 16;
// A temporary is ".NAME.tavolini-XXXXXX": hidden, and marked as ours, so that
// the sweep never takes a file somebody else made.
constexpr std::string_view TemporaryMark = ".tavolini-";
constexpr std::size_t TemporaryLetters = 6;
constexpr std::string_view TemporaryAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// Of NAME, so that the temporary's name stays within the 255 bytes a name may have.
constexpr std::size_t TemporaryNameBytes = 200;
constexpr int MaxLinkHops = 40; // as many as the system follows

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    bool close() {
        if (m_fd < 0) return true;
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0;
    }

  private:
    int m_fd;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new, unused file beside `path`, created with the usual permissions and
// locked for as long as it is open.
int createTemporaryBeside(const std::string& path, std::string& temporaryPath) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name =
        path.substr(slash == std::string::npos ? 0 : slash + 1).substr(0, TemporaryNameBytes);
    std::random_device random;
    std::uniform_int_distribution<std::size_t> letter(0, TemporaryAlphabet.size() - 1);
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        temporaryPath = folder + "." + name + std::string(TemporaryMark);
        for (std::size_t i = 0; i < TemporaryLetters; ++i)
            temporaryPath += TemporaryAlphabet[letter(random)];
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Where a write to `path` lands: at the end of its symbolic links, so that a
// link stays a link and a link to nothing makes the file it names.
std::string writtenPath(std::string path) {
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) break;
        path = target.is_absolute() ? target.native()
                                    : (std::filesystem::path(folderOf(path)) / target).native();
    }
    return path;
}

// Nothing, or a regular file this user may write: anything else is never
// replaced (a device would become a file, a pipe or a folder lose its use).
WriteFault checkTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? WriteFault::None : writeFaultOf(errno);
    if (!S_ISREG(info.st_mode)) return WriteFault::NotAFile;
    return isReadOnlyFile(path) ? WriteFault::ReadOnlyFile : WriteFault::None;
}

bool isTemporaryName(std::string_view name) {
    const std::size_t ending = TemporaryMark.size() + TemporaryLetters;
    if (name.size() <= ending + 1 || name.front() != '.') return false;
    const std::string_view letters = name.substr(name.size() - TemporaryLetters);
    return name.substr(name.size() - ending, TemporaryMark.size()) == TemporaryMark &&
           letters.find_first_not_of(TemporaryAlphabet) == std::string_view::npos;
}

// A temporary nobody writes: a regular file, old enough, and not locked.
bool isStaleTemporary(const std::string& path, int minimumAgeSeconds) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (std::time(nullptr) - info.st_mtime < minimumAgeSeconds) return false;
    return ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0;
}

// Makes the rename itself durable; a failure here loses nothing, so it is not reported.
void syncFolder(const std::string& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());
}

} // namespace

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

FileContents readWholeFile(const std::string& path, std::size_t limit) {
    // Not blocking, so that opening a pipe returns at once.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        return {missing ? FileStatus::Missing : FileStatus::Failed, {}};
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return {FileStatus::Failed, {}};
    if (S_ISDIR(info.st_mode)) return {FileStatus::Folder, {}};
    if (!S_ISREG(info.st_mode)) return {FileStatus::NotAFile, {}};
    if (static_cast<std::size_t>(info.st_size) > limit) return {FileStatus::TooLarge, {}};

    return readOpenFile(fd.get(), limit);
}

FileContents readOpenFile(int fd, std::size_t limit) {
    FileContents contents{FileStatus::Read, {}};
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got =
            ::pread(fd, buffer.data(), buffer.size(), static_cast<off_t>(contents.bytes.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return {FileStatus::Failed, {}};
        if (got == 0) return contents;
        contents.bytes.append(buffer.data(), static_cast<std::size_t>(got));
        if (contents.bytes.size() > limit) return {FileStatus::TooLarge, {}}; // it grew while read
    }
}

WriteFault writeFaultOf(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return WriteFault::NoFolder;
    case EACCES:
    case EPERM:
        return WriteFault::NoPermission;
    case ENOSPC:
    case EDQUOT:
        return WriteFault::DiskFull;
    case EROFS:
        return WriteFault::ReadOnlyDisk;
    case ENAMETOOLONG:
        return WriteFault::NameTooLong;
    case EISDIR:
    case ELOOP:
        return WriteFault::NotAFile;
    default:
        return WriteFault::Failed;
    }
}

bool isReadOnlyFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    // No write permission for anyone counts too: the superuser may write
    // anything, but a teacher who made a set read-only meant it.
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

int removeStaleTemporaries(const std::string& folder, int minimumAgeSeconds) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (!isTemporaryName(name)) continue;
        const std::string path = folder + "/" + name;
        if (isStaleTemporary(path, minimumAgeSeconds) && ::unlink(path.c_str()) == 0) ++removed;
    }
    ::closedir(listing);
    return removed;
}

FileWrite writeFileAtomically(const std::string& linkOrPath, std::string_view bytes) {
    const std::string path = writtenPath(linkOrPath);
    if (const WriteFault fault = checkTarget(path); fault != WriteFault::None) return {fault};
    std::string temporaryPath;
    FileDescriptor fd(createTemporaryBeside(path, temporaryPath));
    if (!fd.valid()) return {writeFaultOf(errno)};

    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd.get(), old.st_mode & 07777);

    const bool written = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.close() &&
                         ::rename(temporaryPath.c_str(), path.c_str()) == 0;
    if (!written) {
        const int error = errno;
        fd.close();
        ::unlink(temporaryPath.c_str());
        return {writeFaultOf(error)};
    }
    syncFolder(folderOf(path));
    return {};
}

std::string fileWriteMessage(std::string_view path, WriteFault fault) {
    const char* why = ":ファイルに書き込めません";
    switch (fault) {
    case WriteFault::None:
    case WriteFault::Failed:
        break;
    case WriteFault::NotAFile:
        why = ":ふつうのファイルではありません";
        break;
    case WriteFault::ReadOnlyFile:
        why = ":読み取り専用のファイルなので書き込めません";
        break;
    case WriteFault::NoFolder:
        why = ":フォルダがありません";
        break;
    case WriteFault::NoPermission:
        why = ":書き込む権限がありません";
        break;
    case WriteFault::DiskFull:
        why = ":ディスクがいっぱいです";
        break;
    case WriteFault::ReadOnlyDisk:
        why = ":読み取り専用のディスクなので書き込めません";
        break;
    case WriteFault::NameTooLong:
        why = ":ファイルの名前が長すぎます";
        break;
    }
    return std::string(path) + cp932(why);
}

} // namespace tavolini
