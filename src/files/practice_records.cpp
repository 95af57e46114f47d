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
#include <iterator>
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

std::string unreadableMessage(const std::string& path) {
    return path + cp932(":記録ファイルを読み込めません。記録を止めます"
                        "（このファイルを移すと新しい記録を始めます）");
}

// Another copy kept the file past the wait: said where the pupil cannot wait
// for it to be free, at exit and when erasing.
std::string busyMessage(const std::string& path, const char* what) {
    return path + cp932(":記録ファイルが使用中です") + cp932(what);
}

// An unreadable file stops the recording; moving it away starts a new one.
void reportUnreadable(const std::string& path, PracticeRecords& records, Messages& messages,
                      Telling telling) {
    const bool isNew = records.unreadableReported.insert(path).second;
    if (isNew || telling == Telling::Always) tell(messages, unreadableMessage(path));
}

// The locked record file's contents, or nothing (after a message) when it
// cannot be read or is some other file: writing it would lose what it holds.
std::optional<ProfileText> readForUpdate(const FileLock& lock, const std::string& path,
                                         PracticeRecords& records, Messages& messages, Telling telling) {
    if (lock.status() == FileLock::Status::Missing) return ProfileText{};
    if (lock.status() == FileLock::Status::Unwritable) {
        tell(messages, fileWriteMessage(path, lock.fault()));
        return std::nullopt;
    }
    const std::optional<std::string> bytes = lock.readAll();
    std::optional<ProfileText> profile = bytes ? readProfileText(*bytes) : std::nullopt;
    if (!profile) {
        reportUnreadable(path, records, messages, telling);
        return std::nullopt;
    }
    records.unreadableReported.erase(path); // a later fault is news again
    return profile;
}

bool writeRecordFile(const std::string& path, const ProfileText& profile, Messages& messages) {
    const FileWrite written = writeFileAtomically(path, profileBytes(profile));
    if (!written) tell(messages, fileWriteMessage(path, written.fault));
    return static_cast<bool>(written);
}

bool countCompletion(ProfileText& profile, const HeldCompletion& completion) {
    const std::string key = std::to_string(completion.problem);
    const std::int32_t count = readCount(readProfileString(profile, completion.title, key).value_or(""));
    const std::int32_t next = count == std::numeric_limits<std::int32_t>::max() ? count : count + 1;
    return writeProfileString(profile, completion.title, key, std::to_string(next)) &&
           writeProfileString(profile, completion.title, DateKey, formatRecordDate(completion.time));
}

enum class Outcome {
    Written,
    Busy,
    Failed,  // for a reason that may pass (a missing folder, a full disk): tried again later
    Refused, // not a record file: never written
};

// The completions of one record file, written in one change.
Outcome writeCompletions(const std::string& path, const std::vector<HeldCompletion>& completions,
                         PracticeRecords& records, Messages& messages) {
    // Created empty when missing, so that there is a file to lock.
    const FileLock lock(path, WhenMissing::Create, RecordLockWait);
    if (lock.status() == FileLock::Status::Busy) return Outcome::Busy;
    const bool unwritable = lock.status() == FileLock::Status::Unwritable;
    std::optional<ProfileText> profile = readForUpdate(lock, path, records, messages, Telling::OncePerFile);
    if (!profile) return unwritable ? Outcome::Failed : Outcome::Refused;
    for (const HeldCompletion& completion : completions)
        if (!countCompletion(*profile, completion)) return Outcome::Refused;
    return writeRecordFile(path, *profile, messages) ? Outcome::Written : Outcome::Failed;
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

bool recordPractice(const ProblemSet& set, PracticeRecords& records, Messages& messages, int unit,
                    int problem) {
    if (records.startedFromCdRom) return false;
    if (unit < 1 || unit > std::min(set.unitCount, MaxUnits) || problem < 1 || problem > MaxProblemsPerUnit)
        return false;
    records.held.push_back(
        {recordFilePath(set), set.UnitNames[static_cast<std::size_t>(unit)], problem, records.clock()});
    return writeHeldRecords(records, messages, WhenBusy::Hold);
}

bool writeHeldRecords(PracticeRecords& records, Messages& messages, WhenBusy whenBusy) {
    std::vector<HeldCompletion> stillHeld;
    bool written = true;
    while (!records.held.empty()) {
        const std::string path = records.held.front().path;
        const auto others = std::stable_partition(records.held.begin(), records.held.end(),
                                                  [&](const HeldCompletion& c) { return c.path == path; });
        std::vector<HeldCompletion> completions(std::make_move_iterator(records.held.begin()),
                                                std::make_move_iterator(others));
        records.held.erase(records.held.begin(), others);
        const Outcome outcome = writeCompletions(path, completions, records, messages);
        written = written && outcome == Outcome::Written;
        if (outcome == Outcome::Written || outcome == Outcome::Refused) continue;
        if (whenBusy == WhenBusy::GiveUp) {
            // A failure has already named its cause.
            if (outcome == Outcome::Busy)
                tell(messages, busyMessage(path, "（解いた記録を書けませんでした）"));
            continue;
        }
        if (outcome == Outcome::Busy && !records.busyReported) {
            tell(messages, cp932("記録ファイルが使用中です（記録は後で書きます）"));
            records.busyReported = true;
        }
        stillHeld.insert(stillHeld.end(), std::make_move_iterator(completions.begin()),
                         std::make_move_iterator(completions.end()));
    }
    records.held = std::move(stillHeld);
    if (records.held.empty()) records.busyReported = false;
    return written;
}

std::optional<ProfileText> readRecordFile(const ProblemSet& set, Messages& messages) {
    const std::string path = recordFilePath(set);
    const FileContents file = readWholeFile(path);
    if (file.status == FileStatus::Missing) return ProfileText{};
    std::optional<ProfileText> profile =
        file.status == FileStatus::Read ? readProfileText(file.bytes) : std::nullopt;
    if (!profile) tell(messages, unreadableMessage(path));
    return profile;
}

bool eraseUnitRecord(const ProblemSet& set, PracticeRecords& records, Messages& messages,
                     std::string_view title) {
    if (records.startedFromCdRom) return false;
    const std::string path = recordFilePath(set);
    const FileLock lock(path, WhenMissing::Leave, RecordLockWait);
    if (lock.status() == FileLock::Status::Missing) return true;
    if (lock.status() == FileLock::Status::Busy) {
        tell(messages, busyMessage(path, "（記録は消していません。後でもう一度消してください）"));
        return false;
    }
    std::optional<ProfileText> profile = readForUpdate(lock, path, records, messages, Telling::Always);
    if (!profile) return false;
    if (!eraseProfileSection(*profile, title)) return true;
    return writeRecordFile(path, *profile, messages);
}

std::string recordFileBytes(const std::vector<RecordCount>& counts) {
    ProfileText profile;
    for (const RecordCount& count : counts)
        if (count.problem >= 1 && count.problem <= MaxProblemsPerUnit && count.count >= 0)
            writeProfileString(profile, count.title, std::to_string(count.problem),
                               std::to_string(count.count));
    return profileBytes(profile);
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
