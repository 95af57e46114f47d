// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/sql_storage.h"

#include <charconv>
#include <limits>

namespace tavolini::server {

namespace {

// Sign-in failures older than this are pruned; the limit looks back far less.
constexpr Millis signInFailuresKept = 60 * 60 * 1000;

constexpr std::string_view teacherColumns = "id, name, password_hash, must_change_password";
constexpr std::string_view classColumns = "id, teacher_id, title, code";
constexpr std::string_view pupilColumns = "id, class_id, number, name, password_hash";

std::int64_t integerIn(const SqlRow& row, std::size_t column) {
    const std::string& text = row.at(column);
    std::int64_t value = 0;
    const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (fault != std::errc() || end != text.data() + text.size())
        throw StorageError("not an integer in the database: " + text);
    return value;
}

int smallIntegerIn(const SqlRow& row, std::size_t column) {
    const std::int64_t value = integerIn(row, column);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw StorageError("integer out of range in the database");
    return static_cast<int>(value);
}

std::int64_t flag(bool value) {
    return value ? 1 : 0;
}
std::int64_t roleCode(Role role) {
    return role == Role::Teacher ? 1 : 0;
}

Teacher teacherIn(const SqlRow& row) {
    return {integerIn(row, 0), row.at(1), row.at(2), integerIn(row, 3) != 0};
}

SchoolClass classIn(const SqlRow& row) {
    return {integerIn(row, 0), integerIn(row, 1), row.at(2), row.at(3)};
}

Pupil pupilIn(const SqlRow& row) {
    return {integerIn(row, 0), integerIn(row, 1), smallIntegerIn(row, 2), row.at(3), row.at(4)};
}

Session sessionIn(const SqlRow& row) {
    return {row.at(0), integerIn(row, 1) == 1 ? Role::Teacher : Role::Pupil, integerIn(row, 2), row.at(3),
            integerIn(row, 4)};
}

Completion completionIn(const SqlRow& row) {
    return {row.at(0),         integerIn(row, 1),      row.at(2),         row.at(3),
            row.at(4),         smallIntegerIn(row, 5), row.at(6),         smallIntegerIn(row, 7),
            integerIn(row, 8), integerIn(row, 9),      integerIn(row, 10)};
}

HandedSet handedSetIn(const SqlRow& row) {
    return {row.at(0), row.at(1), integerIn(row, 2)};
}

ProblemProgress progressIn(const SqlRow& row) {
    return {integerIn(row, 0), row.at(1), smallIntegerIn(row, 2), integerIn(row, 3), integerIn(row, 4)};
}

template <typename Value, typename Read>
std::optional<Value> firstOf(const std::vector<SqlRow>& rows, Read read) {
    if (rows.empty()) return std::nullopt;
    return read(rows.front());
}

template <typename Value, typename Read>
std::vector<Value> allOf(const std::vector<SqlRow>& rows, Read read) {
    std::vector<Value> values;
    values.reserve(rows.size());
    for (const SqlRow& row : rows)
        values.push_back(read(row));
    return values;
}

// PostgreSQL refuses a NUL inside text (and libpq would cut the text there), so
// it is refused here, for both databases alike.
std::vector<SqlRow> run(SqlTransaction& transaction, std::string_view sql,
                        std::initializer_list<SqlValue> parameters) {
    for (const SqlValue& parameter : parameters) {
        const auto* text = std::get_if<std::string_view>(&parameter);
        if (text != nullptr && text->find('\0') != std::string_view::npos)
            throw StorageError("text with a NUL byte");
    }
    return transaction.run(sql, {parameters.begin(), parameters.size()});
}

} // namespace

std::vector<SqlRow> SqlStorage::once(Access access, std::string_view sql,
                                     std::initializer_list<SqlValue> parameters) {
    std::vector<SqlRow> rows;
    transact(access, [&](SqlTransaction& transaction) { rows = run(transaction, sql, parameters); });
    return rows;
}

RowId SqlStorage::addTeacher(std::string_view name, std::string_view passwordHash, bool mustChangePassword) {
    const auto rows = once(Access::Write,
                           "INSERT INTO teachers (name, password_hash, must_change_password) "
                           "VALUES ($1, $2, $3) RETURNING id",
                           {name, passwordHash, flag(mustChangePassword)});
    return integerIn(rows.at(0), 0);
}

std::optional<Teacher> SqlStorage::teacher(RowId id) {
    static const std::string sql = "SELECT " + std::string(teacherColumns) + " FROM teachers WHERE id = $1";
    return firstOf<Teacher>(once(Access::Read, sql, {id}), teacherIn);
}

std::optional<Teacher> SqlStorage::teacherNamed(std::string_view name) {
    static const std::string sql = "SELECT " + std::string(teacherColumns) + " FROM teachers WHERE name = $1";
    return firstOf<Teacher>(once(Access::Read, sql, {name}), teacherIn);
}

void SqlStorage::setTeacherPassword(RowId id, std::string_view passwordHash, bool mustChangePassword) {
    once(Access::Write, "UPDATE teachers SET password_hash = $2, must_change_password = $3 WHERE id = $1",
         {id, passwordHash, flag(mustChangePassword)});
}

std::int64_t SqlStorage::teacherCount() {
    return integerIn(once(Access::Read, "SELECT count(*) FROM teachers", {}).at(0), 0);
}

std::optional<RowId> SqlStorage::addClass(RowId teacherId, std::string_view title, std::string_view code) {
    const auto rows = once(Access::Write,
                           "INSERT INTO classes (teacher_id, title, code) VALUES ($1, $2, $3) "
                           "ON CONFLICT DO NOTHING RETURNING id",
                           {teacherId, title, code});
    return firstOf<RowId>(rows, [](const SqlRow& row) { return integerIn(row, 0); });
}

std::optional<SchoolClass> SqlStorage::schoolClass(RowId id) {
    static const std::string sql = "SELECT " + std::string(classColumns) + " FROM classes WHERE id = $1";
    return firstOf<SchoolClass>(once(Access::Read, sql, {id}), classIn);
}

std::optional<SchoolClass> SqlStorage::classWithCode(std::string_view code) {
    static const std::string sql = "SELECT " + std::string(classColumns) + " FROM classes WHERE code = $1";
    return firstOf<SchoolClass>(once(Access::Read, sql, {code}), classIn);
}

std::vector<SchoolClass> SqlStorage::classesOf(RowId teacherId) {
    static const std::string sql =
        "SELECT " + std::string(classColumns) + " FROM classes WHERE teacher_id = $1 ORDER BY id";
    return allOf<SchoolClass>(once(Access::Read, sql, {teacherId}), classIn);
}

std::optional<RowId> SqlStorage::addPupil(RowId classId, int number, std::string_view name,
                                          std::string_view passwordHash) {
    const auto rows =
        once(Access::Write,
             "INSERT INTO pupils (class_id, number, name, password_hash) VALUES ($1, $2, $3, $4) "
             "ON CONFLICT DO NOTHING RETURNING id",
             {classId, std::int64_t{number}, name, passwordHash});
    return firstOf<RowId>(rows, [](const SqlRow& row) { return integerIn(row, 0); });
}

std::optional<Pupil> SqlStorage::pupil(RowId id) {
    static const std::string sql = "SELECT " + std::string(pupilColumns) + " FROM pupils WHERE id = $1";
    return firstOf<Pupil>(once(Access::Read, sql, {id}), pupilIn);
}

std::optional<Pupil> SqlStorage::pupilNumbered(RowId classId, int number) {
    static const std::string sql =
        "SELECT " + std::string(pupilColumns) + " FROM pupils WHERE class_id = $1 AND number = $2";
    return firstOf<Pupil>(once(Access::Read, sql, {classId, std::int64_t{number}}), pupilIn);
}

std::vector<Pupil> SqlStorage::pupilsOf(RowId classId) {
    static const std::string sql =
        "SELECT " + std::string(pupilColumns) + " FROM pupils WHERE class_id = $1 ORDER BY number";
    return allOf<Pupil>(once(Access::Read, sql, {classId}), pupilIn);
}

void SqlStorage::setPupilPassword(RowId id, std::string_view passwordHash) {
    once(Access::Write, "UPDATE pupils SET password_hash = $2 WHERE id = $1", {id, passwordHash});
}

// Completions go with the pupil by their foreign key; sessions name an account
// of either role, so they have none and go here.
void SqlStorage::removePupil(RowId id) {
    transact(Access::Write, [id](SqlTransaction& transaction) {
        run(transaction, "DELETE FROM sessions WHERE role = $1 AND account_id = $2",
            {roleCode(Role::Pupil), id});
        run(transaction, "DELETE FROM pupils WHERE id = $1", {id});
    });
}

void SqlStorage::addSession(const Session& session, Millis now) {
    transact(Access::Write, [&session, now](SqlTransaction& transaction) {
        run(transaction, "DELETE FROM sessions WHERE expires_at <= $1", {now});
        run(transaction,
            "INSERT INTO sessions (token_hash, role, account_id, csrf_token, expires_at) VALUES ($1, $2, $3, "
            "$4, "
            "$5)",
            {session.tokenHash, roleCode(session.role), session.accountId, session.csrfToken,
             session.expiresAt});
    });
}

std::optional<Session> SqlStorage::session(std::string_view tokenHash, Millis now) {
    return firstOf<Session>(once(Access::Read,
                                 "SELECT token_hash, role, account_id, csrf_token, expires_at FROM sessions "
                                 "WHERE token_hash = $1 AND expires_at > $2",
                                 {tokenHash, now}),
                            sessionIn);
}

void SqlStorage::removeSession(std::string_view tokenHash) {
    once(Access::Write, "DELETE FROM sessions WHERE token_hash = $1", {tokenHash});
}

void SqlStorage::removeSessionsOf(Role role, RowId accountId) {
    once(Access::Write, "DELETE FROM sessions WHERE role = $1 AND account_id = $2",
         {roleCode(role), accountId});
}

void SqlStorage::addSignInFailure(std::string_view key, Millis at) {
    const Millis oldestKept =
        at < std::numeric_limits<Millis>::min() + signInFailuresKept ? at : at - signInFailuresKept;
    transact(Access::Write, [&](SqlTransaction& transaction) {
        run(transaction, "DELETE FROM sign_in_failures WHERE at < $1", {oldestKept});
        run(transaction, "INSERT INTO sign_in_failures (key, at) VALUES ($1, $2)", {key, at});
    });
}

std::int64_t SqlStorage::signInFailuresSince(std::string_view key, Millis since) {
    return integerIn(
        once(Access::Read, "SELECT count(*) FROM sign_in_failures WHERE key = $1 AND at >= $2", {key, since})
            .at(0),
        0);
}

void SqlStorage::addProblemSet(std::string_view hash, std::string_view bytes) {
    once(Access::Write, "INSERT INTO problem_sets (hash, bytes) VALUES ($1, $2) ON CONFLICT DO NOTHING",
         {hash, Bytes{bytes}});
}

std::optional<std::string> SqlStorage::problemSet(std::string_view hash) {
    return firstOf<std::string>(once(Access::Read, "SELECT bytes FROM problem_sets WHERE hash = $1", {hash}),
                                [](const SqlRow& row) { return row.at(0); });
}

Added SqlStorage::addCompletion(const Completion& c) {
    const auto rows =
        once(Access::Write,
             "INSERT INTO completions (client_id, pupil_id, set_hash, set_name, unit_title, problem, "
             "steps, hints, started_at, ended_at, received_at) "
             "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11) "
             "ON CONFLICT DO NOTHING RETURNING id",
             {c.clientId, c.pupilId, c.setHash, c.setName, c.unitTitle, std::int64_t{c.problem}, c.steps,
              std::int64_t{c.hints}, c.startedAt, c.endedAt, c.receivedAt});
    return rows.empty() ? Added::AlreadyThere : Added::New;
}

// Oldest by when the pupil finished, not when it reached the server: work done
// offline arrives late.
std::vector<Completion> SqlStorage::completionsOf(RowId pupilId) {
    return allOf<Completion>(
        once(Access::Read,
             "SELECT client_id, pupil_id, set_hash, set_name, unit_title, problem, steps, hints, started_at, "
             "ended_at, received_at FROM completions WHERE pupil_id = $1 ORDER BY ended_at, id",
             {pupilId}),
        completionIn);
}

void SqlStorage::handOutSet(RowId classId, std::string_view setHash, std::string_view setName, Millis at) {
    once(Access::Write,
         "INSERT INTO handed_sets (class_id, set_hash, set_name, handed_at) VALUES ($1, $2, $3, $4)",
         {classId, setHash, setName, at});
}

// The last handed out, by the order of the rows rather than their times: a
// clock set back must not bring an older set back.
std::optional<HandedSet> SqlStorage::handedSet(RowId classId) {
    return firstOf<HandedSet>(
        once(Access::Read,
             "SELECT set_hash, set_name, handed_at FROM handed_sets WHERE class_id = $1 "
             "ORDER BY id DESC LIMIT 1",
             {classId}),
        handedSetIn);
}

std::vector<ProblemProgress> SqlStorage::classProgress(RowId classId, std::string_view setHash) {
    return allOf<ProblemProgress>(
        once(Access::Read,
             "SELECT c.pupil_id, c.unit_title, c.problem, count(*), max(c.ended_at) "
             "FROM completions c JOIN pupils p ON p.id = c.pupil_id "
             "WHERE p.class_id = $1 AND c.set_hash = $2 "
             "GROUP BY c.pupil_id, c.unit_title, c.problem ORDER BY c.pupil_id, c.unit_title, c.problem",
             {classId, setHash}),
        progressIn);
}

bool SqlStorage::teacherMaySeeSet(RowId teacherId, std::string_view setHash) {
    const auto rows = once(Access::Read,
                           "SELECT CASE WHEN EXISTS (SELECT 1 FROM handed_sets h JOIN classes k ON k.id = "
                           "h.class_id WHERE k.teacher_id = $1 AND h.set_hash = $2) "
                           "OR EXISTS (SELECT 1 FROM completions c JOIN pupils p ON p.id = c.pupil_id "
                           "JOIN classes k ON k.id = p.class_id WHERE k.teacher_id = $1 AND c.set_hash = $2) "
                           "THEN 1 ELSE 0 END",
                           {teacherId, setHash});
    return integerIn(rows.at(0), 0) == 1;
}

} // namespace tavolini::server
