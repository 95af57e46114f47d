// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini::server {

// Times are milliseconds since the Unix epoch, as the page sends them.
using Millis = std::int64_t;
using RowId = std::int64_t;

struct Teacher {
    RowId id = 0;
    std::string name;
    std::string passwordHash; // argon2id, as libsodium writes it
    bool mustChangePassword = false;
};

struct SchoolClass {
    RowId id = 0;
    RowId teacherId = 0;
    std::string title;
    std::string code; // what the teacher hands out; unique on the server
};

struct Pupil {
    RowId id = 0;
    RowId classId = 0;
    int number = 0; // 出席番号, unique in the class
    std::string name;
    std::string passwordHash;
};

enum class Role { Pupil, Teacher };

struct Session {
    std::string tokenHash; // the cookie's token is never stored, only its hash
    Role role = Role::Pupil;
    RowId accountId = 0; // a Teacher's or a Pupil's id
    std::string csrfToken;
    Millis expiresAt = 0;
};

// One completed problem as the server keeps it, after its replay.
struct Completion {
    std::string clientId; // made by the page; a resend carries the same one
    RowId pupilId = 0;
    std::string setHash;   // SHA-256 of the set's bytes, lower-case hex
    std::string setName;   // UTF-8
    std::string unitTitle; // UTF-8
    int problem = 0;
    std::string steps; // the step log as stepLogText writes it
    int hints = 0;
    Millis startedAt = 0;
    Millis endedAt = 0;
    Millis receivedAt = 0;
};

enum class Added { New, AlreadyThere };

// A set as the teacher handed it to a class.
struct HandedSet {
    std::string hash; // of a set the storage holds
    std::string name; // its file name, UTF-8
    Millis handedAt = 0;
};

// One problem of a set as a pupil has done it: how often, and when last.
struct ProblemProgress {
    RowId pupilId = 0;
    std::string unitTitle; // UTF-8
    int problem = 0;
    std::int64_t count = 0;
    Millis lastEndedAt = 0;
};

// The database could not do what was asked (connection lost, disk full, a
// constraint broken unexpectedly). The request fails; nothing half-done stays.
class StorageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Everything the server keeps. Each call is one transaction, committed (and
// on the disk, as the database promises it) before it returns. Safe to call
// from the server's worker threads at once.
class Storage {
  public:
    virtual ~Storage() = default;

    virtual RowId addTeacher(std::string_view name, std::string_view passwordHash,
                             bool mustChangePassword) = 0;
    virtual std::optional<Teacher> teacher(RowId id) = 0;
    virtual std::optional<Teacher> teacherNamed(std::string_view name) = 0;
    virtual void setTeacherPassword(RowId id, std::string_view passwordHash, bool mustChangePassword) = 0;
    virtual std::int64_t teacherCount() = 0;

    // Nothing when another class has the code.
    virtual std::optional<RowId> addClass(RowId teacherId, std::string_view title, std::string_view code) = 0;
    virtual std::optional<SchoolClass> schoolClass(RowId id) = 0;
    virtual std::optional<SchoolClass> classWithCode(std::string_view code) = 0;
    virtual std::vector<SchoolClass> classesOf(RowId teacherId) = 0;

    // Nothing when the class has a pupil with the number.
    virtual std::optional<RowId> addPupil(RowId classId, int number, std::string_view name,
                                          std::string_view passwordHash) = 0;
    virtual std::optional<Pupil> pupil(RowId id) = 0;
    virtual std::optional<Pupil> pupilNumbered(RowId classId, int number) = 0;
    virtual std::vector<Pupil> pupilsOf(RowId classId) = 0; // by number
    virtual void setPupilPassword(RowId id, std::string_view passwordHash) = 0;
    // The pupil with every completion and session of theirs.
    virtual void removePupil(RowId id) = 0;

    // Sessions expired by `now` go at the same time, so the table keeps only live ones.
    virtual void addSession(const Session& session, Millis now) = 0;
    // The session with that token hash, when it has not expired by `now`.
    virtual std::optional<Session> session(std::string_view tokenHash, Millis now) = 0;
    virtual void removeSession(std::string_view tokenHash) = 0;
    // Every session of the account (a password reset ends them).
    virtual void removeSessionsOf(Role role, RowId accountId) = 0;

    // Failed sign-ins by key ("account:…" or "address:…"), for the limit.
    virtual void addSignInFailure(std::string_view key, Millis at) = 0;
    virtual std::int64_t signInFailuresSince(std::string_view key, Millis since) = 0;

    // A set's bytes by their hash; adding one that is there changes nothing.
    virtual void addProblemSet(std::string_view hash, std::string_view bytes) = 0;
    virtual std::optional<std::string> problemSet(std::string_view hash) = 0;

    // AlreadyThere when the pupil has a completion with its clientId.
    virtual Added addCompletion(const Completion& completion) = 0;
    virtual std::vector<Completion> completionsOf(RowId pupilId) = 0; // oldest first

    // A new hand-out of a set the storage holds; the earlier ones stay, and the
    // class's set is the one handed out last.
    virtual void handOutSet(RowId classId, std::string_view setHash, std::string_view setName, Millis at) = 0;
    virtual std::optional<HandedSet> handedSet(RowId classId) = 0;
    // The completions of the class's pupils on that set, one row per pupil,
    // unit and problem done, by pupil id.
    virtual std::vector<ProblemProgress> classProgress(RowId classId, std::string_view setHash) = 0;
    // Whether the set was handed to a class of the teacher's, or a pupil of
    // theirs completed a problem of it.
    virtual bool teacherMaySeeSet(RowId teacherId, std::string_view setHash) = 0;
};

} // namespace tavolini::server
