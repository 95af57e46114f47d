// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/class_report.h"

#include "core/cp932.h"
#include "core/sha256.h"
#include "core/text_file.h"
#include "files/practice_records.h"
#include "practice/answer_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace tavolini::web {
namespace {

using emscripten::val;

std::string fileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::string setBytes(const ProblemSet& set) {
    std::string bytes;
    for (const std::string& line : set.lines)
        bytes += line + "\r\n";
    return bytes;
}

val byteArray(const std::string& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    return val::global("Uint8Array").new_(val(emscripten::typed_memory_view(bytes.size(), data)));
}

// A count from the server, kept within the file's counts.
std::int32_t boundedCount(double count) {
    if (!std::isfinite(count) || count < 0) return -1;
    return static_cast<std::int32_t>(std::min(count, double(std::numeric_limits<std::int32_t>::max())));
}

} // namespace

val completionReport(const Completion& completion, const ProblemSet& set) {
    const std::string bytes = setBytes(set);
    val report = val::object();
    report.set("setName", fileName(completion.setPath));
    report.set("setHash", sha256Hex(bytes));
    report.set("setBytes", byteArray(bytes));
    report.set("unit", utf8FromCp932(completion.unitTitle));
    report.set("problem", completion.problem);
    report.set("steps", stepLogText(completion.steps));
    report.set("answer", answerText(completion.answers));
    report.set("hints", completion.hints);
    report.set("startedAt", static_cast<double>(completion.startedAt));
    report.set("endedAt", static_cast<double>(completion.endedAt));
    return report;
}

void useRecordCounts(const val& records, const ProblemSet& set) {
    if (set.problemSetPath.empty()) return;
    const std::string name = fileName(set.problemSetPath);
    std::vector<RecordCount> counts;
    const unsigned length = records["length"].as<unsigned>();
    for (unsigned i = 0; i < length; ++i) {
        const val record = records[i];
        if (record["set"].as<std::string>() != name) continue;
        counts.push_back({cp932(record["unit"].as<std::string>()), record["problem"].as<int>(),
                          boundedCount(record["count"].as<double>())});
    }
    writeFileAtomically(recordFilePath(set), recordFileBytes(counts));
}

} // namespace tavolini::web
