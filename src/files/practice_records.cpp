// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/practice_records.h"

#include "core/cp932.h"
#include "core/digits.h"
#include "core/file_lock.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "files/problem_set.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <optional>
#include <sys/vfs.h>

namespace tavolini {
namespace {

constexpr unsigned long Iso9660Magic = 0x9660;
constexpr unsigned long UdfMagic = 0x15013346;

std::string twoDigits(int value) {
    return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
}

enum class Telling { OncePerFile, Always };

// An unreadable file stops the recording; moving it away starts a new one.
void reportUnreadable(const std::string& path, const PracticeRecords& records, Messages& messages,
                      Telling telling) {
    const bool isNew = records.unreadableReported.insert(path).second;
    if (isNew || telling == Telling::Always)
        tell(messages, path + cp932(":記録ファイルを読み込めません。記録を止めます"
                                    "（このファイルを移すと新しい記録を始めます）"));
}

// The locked record file's contents, or nothing (after a message) when it
// cannot be read, or is not text: writing it back would lose what it holds.
std::optional<ProfileText> readForUpdate(const FileLock& lock, const std::string& path,
                                         const PracticeRecords& records, Messages& messages,
                                         Telling telling) {
    if (lock.status() == FileLock::Status::Missing) return ProfileText{};
    if (lock.status() == FileLock::Status::Unwritable) {
        tell(messages, fileNotWrittenMessage(path));
        return std::nullopt;
    }
    const std::optional<std::string> bytes = lock.readAll();
    if (!bytes || !isCp932Text(*bytes)) {
        reportUnreadable(path, records, messages, telling);
        return std::nullopt;
    }
    records.unreadableReported.erase(path); // a later fault is news again
    return parseProfile(*bytes);
}

bool writeRecordFile(const std::string& path, const ProfileText& profile, Messages& messages) {
    if (writeFileAtomically(path, profileBytes(profile))) return true;
    tell(messages, fileNotWrittenMessage(path));
    return false;
}

} // namespace

LocalTime localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr) return {};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::string recordFilePath(const ProblemSet& set) {
    return recordFilePathOf(set.problemSetPath);
}

std::string recordFilePathOf(std::string_view problemSetPath) {
    const std::size_t slash = problemSetPath.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = problemSetPath.find('.', nameStart);
    return std::string(problemSetPath.substr(0, dot)) + std::string(RecordExtension);
}

std::string formatRecordDate(const LocalTime& time) {
    return twoDigits(time.year) + cp932("年") + twoDigits(time.month) + cp932("月") + twoDigits(time.day) +
           cp932("日") + twoDigits(time.hour) + ":" + twoDigits(time.minute);
}

std::int32_t readCount(std::string_view value) {
    if (value.empty() || !allDigits(value)) return 0;
    constexpr std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    std::int32_t count = 0;
    for (const char digit : value) {
        const std::int32_t d = digit - '0';
        if (count > (largest - d) / 10) return largest;
        count = count * 10 + d;
    }
    return count;
}

bool recordPractice(const ProblemSet& set, const PracticeRecords& records, Messages& messages, int unit,
                    int problem) {
    if (records.startedFromCdRom) return false;
    if (unit < 1 || unit > std::min(set.unitCount, MaxUnits) || problem < 1 || problem > MaxProblemsPerUnit)
        return false;

    const std::string path = recordFilePath(set);
    // Created empty when missing, so that there is a file to lock.
    const FileLock lock(path, WhenMissing::Create);
    std::optional<ProfileText> profile = readForUpdate(lock, path, records, messages, Telling::OncePerFile);
    if (!profile) return false;

    const std::string& title = set.UnitNames[static_cast<std::size_t>(unit)];
    const std::string key = std::to_string(problem);
    const std::int32_t count = readCount(readProfileString(*profile, title, key).value_or(""));
    const std::int32_t next = count == std::numeric_limits<std::int32_t>::max() ? count : count + 1;
    if (!writeProfileString(*profile, title, key, std::to_string(next)) ||
        !writeProfileString(*profile, title, DateKey, formatRecordDate(records.clock())))
        return false;
    return writeRecordFile(path, *profile, messages);
}

ProfileText readRecordFile(const ProblemSet& set) {
    const FileContents file = readWholeFile(recordFilePath(set));
    return file.status == FileStatus::Read ? parseProfile(file.bytes) : ProfileText{};
}

bool eraseUnitRecord(const ProblemSet& set, const PracticeRecords& records, Messages& messages,
                     std::string_view title) {
    if (records.startedFromCdRom) return false;
    const std::string path = recordFilePath(set);
    const FileLock lock(path, WhenMissing::Leave);
    if (lock.status() == FileLock::Status::Missing) return true;
    std::optional<ProfileText> profile = readForUpdate(lock, path, records, messages, Telling::Always);
    if (!profile) return false;
    if (!eraseProfileSection(*profile, title)) return true;
    return writeRecordFile(path, *profile, messages);
}

bool isCdRomFileSystem(unsigned long fileSystemType) {
    return fileSystemType == Iso9660Magic || fileSystemType == UdfMagic;
}

bool isOnCdRom(const std::string& folder) {
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0) return false;
    return isCdRomFileSystem(static_cast<unsigned long>(info.f_type));
}

} // namespace tavolini
