// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/overview_csv.h"

#include "core/cp932.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace tavolini::server {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view lineEnd = "\r\n";
// What a spreadsheet program would start a formula with.
constexpr std::string_view formulaStarts = "=+-@\t\r";

// A text field: never read as a formula, quoted when it must be.
std::string textField(std::string_view text) {
    std::string field;
    if (!text.empty() && formulaStarts.find(text.front()) != std::string_view::npos) field += '\'';
    field += text;
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + '"';
}

std::string localDate(Millis at) {
    if (at <= 0) return {};
    const std::time_t seconds = static_cast<std::time_t>(at / 1000);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) return {};
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text.data();
}

void addRow(std::string& csv, const std::vector<std::string>& fields) {
    for (std::size_t at = 0; at < fields.size(); ++at) {
        if (at > 0) csv += ',';
        csv += fields[at];
    }
    csv += lineEnd;
}

} // namespace

std::string overviewCsv(const std::vector<SetUnit>& units, const std::vector<PupilProgress>& pupils,
                        CsvEncoding encoding) {
    std::string csv;
    std::vector<std::string> header = {"出席番号", "名前"};
    for (const SetUnit& unit : units) {
        for (int problem = 1; problem <= unit.problems; ++problem)
            header.push_back(textField(unit.title + " 問" + std::to_string(problem)));
        header.push_back(textField(unit.title + " 最終日"));
    }
    addRow(csv, header);
    for (const PupilProgress& row : pupils) {
        std::vector<std::string> fields = {std::to_string(row.pupil.number), textField(row.pupil.name)};
        for (const UnitProgress& unit : row.units) {
            for (const std::int64_t count : unit.counts)
                fields.push_back(std::to_string(count));
            fields.push_back(localDate(unit.last));
        }
        addRow(csv, fields);
    }
    return encoding == CsvEncoding::Cp932 ? cp932(csv) : std::string(byteOrderMark) + csv;
}

} // namespace tavolini::server
