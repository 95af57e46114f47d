// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/postgres_storage.h"

#include "server/schema.h"

#include <pqxx/pqxx>
#include <unordered_map>

namespace tavolini::server {

namespace {

constexpr pqxx::oid byteaType = 17;

std::string hexOf(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex = "\\x";
    hex.reserve(2 + 2 * bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        hex += digits[value >> 4];
        hex += digits[value & 15];
    }
    return hex;
}

// Every parameter goes as text; a blob in bytea's hex form.
std::string textOf(const SqlValue& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) return std::to_string(*integer);
    if (const auto* text = std::get_if<std::string_view>(&value)) return std::string(*text);
    return hexOf(std::get<Bytes>(value).bytes);
}

SqlRow rowOf(const pqxx::row& row) {
    SqlRow fields;
    fields.reserve(row.size());
    for (const pqxx::field& field : row) {
        if (field.type() == byteaType)
            fields.push_back(pqxx::binarystring(field).str());
        else
            fields.emplace_back(field.c_str(), field.size());
    }
    return fields;
}

} // namespace

struct PostgresStorage::Connection : SqlTransaction {
    explicit Connection(const std::string& connectionString) : connection(connectionString) {}

    std::vector<SqlRow> run(std::string_view sql, std::span<const SqlValue> parameters) override {
        std::vector<std::string> texts;
        texts.reserve(parameters.size());
        for (const SqlValue& parameter : parameters)
            texts.push_back(textOf(parameter));
        const pqxx::result result =
            work->exec_prepared(nameOf(sql), pqxx::prepare::make_dynamic_params(texts));
        std::vector<SqlRow> rows;
        rows.reserve(result.size());
        for (const pqxx::row& row : result)
            rows.push_back(rowOf(row));
        return rows;
    }

    void runScript(std::string_view sql) override { work->exec(std::string(sql)); }

    // Prepared on this connection at its first use.
    const std::string& nameOf(std::string_view sql) {
        auto found = names.find(sql);
        if (found != names.end()) return found->second;
        std::string name = "s" + std::to_string(names.size());
        connection.prepare(name, std::string(sql));
        return names.emplace(sql, std::move(name)).first->second;
    }

    pqxx::connection connection;
    std::unordered_map<std::string_view, std::string> names;
    pqxx::work* work = nullptr; // the transaction under way
};

PostgresStorage::PostgresStorage(std::string connectionString)
    : m_connectionString(std::move(connectionString)) {
    transact(Access::Write, [](SqlTransaction& transaction) { migrate(transaction, Dialect::Postgres); });
}

PostgresStorage::~PostgresStorage() = default;

std::unique_ptr<PostgresStorage::Connection> PostgresStorage::lease() {
    {
        const std::lock_guard lock(m_mutex);
        if (!m_free.empty()) {
            std::unique_ptr<Connection> connection = std::move(m_free.back());
            m_free.pop_back();
            return connection;
        }
    }
    return std::make_unique<Connection>(m_connectionString);
}

void PostgresStorage::giveBack(std::unique_ptr<Connection> connection) {
    const std::lock_guard lock(m_mutex);
    m_free.push_back(std::move(connection));
}

// A broken connection is dropped rather than given back: the next call opens
// a fresh one, so a restarted PostgreSQL is found again.
void PostgresStorage::transact(Access, const std::function<void(SqlTransaction&)>& work) {
    std::unique_ptr<Connection> connection;
    try {
        connection = lease();
        {
            pqxx::work transaction(connection->connection);
            connection->work = &transaction;
            work(*connection);
            transaction.commit();
        }
        connection->work = nullptr;
        giveBack(std::move(connection));
    } catch (const std::exception& error) {
        if (connection) {
            connection->work = nullptr;
            if (connection->connection.is_open()) giveBack(std::move(connection));
        }
        if (dynamic_cast<const StorageError*>(&error) != nullptr) throw;
        throw StorageError(std::string("PostgreSQL: ") + error.what());
    }
}

} // namespace tavolini::server
