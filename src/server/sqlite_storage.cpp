// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/sqlite_storage.h"

#include "server/schema.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tavolini::server {

namespace {

constexpr int busyTimeoutMillis = 10000;

[[noreturn]] void fail(sqlite3* database, std::string_view doing) {
    throw StorageError(std::string(doing) + ": " + (database ? sqlite3_errmsg(database) : "out of memory"));
}

void execute(sqlite3* database, const std::string& sql) {
    if (sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) fail(database, sql);
}

// A file system without shared memory keeps the old journal; the backup
// beside a running server needs WAL, so that is refused rather than hidden.
// Two servers starting at once on a new database both ask for WAL, and
// SQLite answers one of them "busy" at once rather than wait (each holds a
// read lock the other's change must wait for): that one asks again.
void setWalMode(sqlite3* database) {
    std::string mode;
    const auto keep = [](void* into, int, char** values, char**) {
        *static_cast<std::string*>(into) = values[0] ? values[0] : "";
        return 0;
    };
    constexpr int retryMillis = 10;
    int result = SQLITE_OK;
    for (int waited = 0;; waited += retryMillis) {
        result = sqlite3_exec(database, "PRAGMA journal_mode = WAL", keep, &mode, nullptr);
        if ((result & 0xFF) != SQLITE_BUSY || waited >= busyTimeoutMillis) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(retryMillis));
    }
    if (result != SQLITE_OK) fail(database, "journal_mode");
    if (mode != "wal") throw StorageError("the database cannot be put in WAL mode (" + mode + ")");
}

// The folders above it as the umask has them; the data folder itself only for us.
void makeFolder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(folder).parent_path(), ignored);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw StorageError("cannot make " + folder + ": " + std::strerror(errno));
}

// Reads every row the statement gives, as text; the caller resets it.
std::vector<SqlRow> rowsOf(sqlite3* database, sqlite3_stmt* statement) {
    std::vector<SqlRow> rows;
    for (;;) {
        const int step = sqlite3_step(statement);
        if (step == SQLITE_DONE) return rows;
        if (step != SQLITE_ROW) fail(database, sqlite3_sql(statement));
        SqlRow& row = rows.emplace_back();
        const int columns = sqlite3_column_count(statement);
        for (int column = 0; column < columns; ++column) {
            // The pointer first, then the size, as SQLite asks.
            const bool blob = sqlite3_column_type(statement, column) == SQLITE_BLOB;
            const void* bytes =
                blob ? sqlite3_column_blob(statement, column) : sqlite3_column_text(statement, column);
            const int size = sqlite3_column_bytes(statement, column);
            row.emplace_back(bytes ? static_cast<const char*>(bytes) : "", bytes ? std::size_t(size) : 0);
        }
    }
}

void bind(sqlite3* database, sqlite3_stmt* statement, int index, const SqlValue& value) {
    int result = SQLITE_OK;
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        result = sqlite3_bind_int64(statement, index, *integer);
    } else if (const auto* text = std::get_if<std::string_view>(&value)) {
        result =
            sqlite3_bind_text64(statement, index, text->data(), text->size(), SQLITE_STATIC, SQLITE_UTF8);
    } else {
        const std::string_view bytes = std::get<Bytes>(value).bytes;
        result = sqlite3_bind_blob64(statement, index, bytes.data(), bytes.size(), SQLITE_STATIC);
    }
    if (result != SQLITE_OK) fail(database, "bind");
}

// So that the rename itself survives a power cut.
void syncFolderOf(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::absolute(file).parent_path();
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

} // namespace

std::string sqliteFileIn(const std::string& dataFolder) {
    return dataFolder + "/tavolini.sqlite3";
}

void SqliteStorage::Closer::operator()(sqlite3* database) const {
    sqlite3_close_v2(database);
}
void SqliteStorage::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

SqliteStorage::SqliteStorage(const std::string& dataFolder) {
    makeFolder(dataFolder);
    sqlite3* opened = nullptr;
    const std::string file = sqliteFileIn(dataFolder);
    const int result = sqlite3_open_v2(
        file.c_str(), &opened, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    m_database.reset(opened);
    if (result != SQLITE_OK) fail(opened, "cannot open " + file);
    sqlite3_extended_result_codes(opened, 1);
    sqlite3_busy_timeout(opened, busyTimeoutMillis);
    setWalMode(opened);
    execute(opened, "PRAGMA synchronous = FULL");
    execute(opened, "PRAGMA foreign_keys = ON");
    transact(Access::Write, [](SqlTransaction& transaction) { migrate(transaction, Dialect::Sqlite); });
}

SqliteStorage::~SqliteStorage() = default;

void SqliteStorage::transact(Access access, const std::function<void(SqlTransaction&)>& work) {
    const std::lock_guard lock(m_mutex);
    sqlite3* database = m_database.get();
    // IMMEDIATE takes the write lock at once, so a write never meets a
    // reader's lock halfway (which busy_timeout cannot wait out).
    execute(database, access == Access::Write ? "BEGIN IMMEDIATE" : "BEGIN");
    try {
        work(*this);
        execute(database, "COMMIT");
    } catch (...) {
        if (!sqlite3_get_autocommit(database)) sqlite3_exec(database, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

sqlite3_stmt* SqliteStorage::prepared(std::string_view sql) {
    auto found = m_statements.find(sql);
    if (found != m_statements.end()) return found->second.get();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_database.get(), sql.data(), static_cast<int>(sql.size()),
                           SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
        fail(m_database.get(), sql);
    return m_statements.emplace(sql, statement).first->second.get();
}

std::vector<SqlRow> SqliteStorage::run(std::string_view sql, std::span<const SqlValue> parameters) {
    sqlite3* database = m_database.get();
    sqlite3_stmt* statement = prepared(sql);
    struct Reset {
        sqlite3_stmt* statement;
        ~Reset() {
            sqlite3_reset(statement);
            sqlite3_clear_bindings(statement);
        }
    } reset{statement};
    for (std::size_t at = 0; at < parameters.size(); ++at) {
        const std::string name = "$" + std::to_string(at + 1);
        const int index = sqlite3_bind_parameter_index(statement, name.c_str());
        if (index == 0) throw StorageError("no parameter " + name + " in " + std::string(sql));
        bind(database, statement, index, parameters[at]);
    }
    return rowsOf(database, statement);
}

void SqliteStorage::runScript(std::string_view sql) {
    execute(m_database.get(), std::string(sql));
}

void backupSqlite(const std::string& dataFolder, const std::string& file) {
    const std::string source = sqliteFileIn(dataFolder);
    const std::string partial = file + ".tmp";
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    auto closeBoth = [&] {
        sqlite3_close_v2(to);
        sqlite3_close_v2(from);
    };
    try {
        if (sqlite3_open_v2(source.c_str(), &from, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            fail(from, "cannot open " + source);
        sqlite3_busy_timeout(from, busyTimeoutMillis);
        // The copy holds password hashes: readable by the server's user alone.
        const int made = ::open(partial.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (made < 0) throw StorageError("cannot make " + partial + ": " + std::strerror(errno));
        ::close(made);
        if (sqlite3_open_v2(partial.c_str(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK)
            fail(to, "cannot make " + partial);
        execute(to, "PRAGMA synchronous = FULL");
        sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
        if (backup == nullptr) fail(to, "backup");
        // All pages in one step, in one read transaction: in WAL mode that holds
        // no writer up, while copying in parts would start over at each write
        // the server makes meanwhile.
        int step = SQLITE_BUSY;
        for (int tries = 0; tries < 500 && (step == SQLITE_BUSY || step == SQLITE_LOCKED); ++tries) {
            step = sqlite3_backup_step(backup, -1);
            if (step == SQLITE_BUSY || step == SQLITE_LOCKED) sqlite3_sleep(20);
        }
        if (sqlite3_backup_finish(backup) != SQLITE_OK || step != SQLITE_DONE) fail(to, "backup");
        closeBoth();
        from = to = nullptr;
    } catch (...) {
        closeBoth();
        std::filesystem::remove(partial, ignored);
        throw;
    }
    if (std::rename(partial.c_str(), file.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        std::filesystem::remove(partial, ignored);
        throw StorageError("cannot rename " + partial + " to " + file + ": " + why);
    }
    syncFolderOf(file);
}

} // namespace tavolini::server
