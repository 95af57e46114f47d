// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/sql_transaction.h"
#include "server/storage.h"

#include <functional>
#include <initializer_list>

namespace tavolini::server {

enum class Access { Read, Write };

// The storage written once over SQL; each database gives its transactions.
class SqlStorage : public Storage {
  public:
    RowId addTeacher(std::string_view name, std::string_view passwordHash, bool mustChangePassword) override;
    std::optional<Teacher> teacher(RowId id) override;
    std::optional<Teacher> teacherNamed(std::string_view name) override;
    void setTeacherPassword(RowId id, std::string_view passwordHash, bool mustChangePassword) override;
    std::int64_t teacherCount() override;

    std::optional<RowId> addClass(RowId teacherId, std::string_view title, std::string_view code) override;
    std::optional<SchoolClass> schoolClass(RowId id) override;
    std::optional<SchoolClass> classWithCode(std::string_view code) override;
    std::vector<SchoolClass> classesOf(RowId teacherId) override;

    std::optional<RowId> addPupil(RowId classId, int number, std::string_view name,
                                  std::string_view passwordHash) override;
    std::optional<Pupil> pupil(RowId id) override;
    std::optional<Pupil> pupilNumbered(RowId classId, int number) override;
    std::vector<Pupil> pupilsOf(RowId classId) override;
    void setPupilPassword(RowId id, std::string_view passwordHash) override;
    void removePupil(RowId id) override;

    void addSession(const Session& session, Millis now) override;
    std::optional<Session> session(std::string_view tokenHash, Millis now) override;
    void removeSession(std::string_view tokenHash) override;
    void removeSessionsOf(Role role, RowId accountId) override;

    void addSignInFailure(std::string_view key, Millis at) override;
    std::int64_t signInFailuresSince(std::string_view key, Millis since) override;

    void addProblemSet(std::string_view hash, std::string_view bytes) override;
    std::optional<std::string> problemSet(std::string_view hash) override;

    Added addCompletion(const Completion& completion) override;
    std::vector<Completion> completionsOf(RowId pupilId) override;

    void handOutSet(RowId classId, std::string_view setHash, std::string_view setName, Millis at) override;
    std::optional<HandedSet> handedSet(RowId classId) override;
    std::vector<ProblemProgress> classProgress(RowId classId, std::string_view setHash) override;
    bool teacherMaySeeSet(RowId teacherId, std::string_view setHash) override;

  protected:
    // Runs `work` in one transaction, committed before it returns; rolled back
    // when `work` throws. Failures are StorageErrors.
    virtual void transact(Access access, const std::function<void(SqlTransaction&)>& work) = 0;

  private:
    std::vector<SqlRow> once(Access access, std::string_view sql, std::initializer_list<SqlValue> parameters);
};

} // namespace tavolini::server
