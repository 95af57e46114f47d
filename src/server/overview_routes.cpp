// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/sha256.h"
#include "core/text_file.h"
#include "server/admission.h"
#include "server/answers.h"
#include "server/class_overview.h"
#include "server/overview_csv.h"
#include "server/ownership.h"
#include "server/query_text.h"
#include "server/routes.h"
#include "server/sessions.h"
#include "server/set_bytes.h"

#include <sodium.h>

namespace tavolini::server {

namespace {

using httplib::Request;
using httplib::Response;
using nlohmann::json;

constexpr std::size_t maxSetNameBytes = 100;

// A set the pages are given, with its bytes and what they read as.
struct ClassSet {
    HandedSet handed;
    std::string bytes;
    std::vector<SetUnit> units;
};

// The set the site ships, when it has one the program would open.
std::optional<ClassSet> shippedSet(const std::string& siteFolder) {
    FileContents file = readWholeFile(siteFolder + "/" + std::string(DefaultProblemSet));
    if (file.status != FileStatus::Read) return std::nullopt;
    const std::optional<ProblemSet> set = readSetBytes(file.bytes);
    if (!set) return std::nullopt;
    const std::string hash = sha256Hex(file.bytes);
    return ClassSet{{hash, std::string(DefaultProblemSet), 0}, std::move(file.bytes), unitsOf(*set)};
}

// Every set handed out passed the check, so one that does not read is the
// storage's fault.
std::optional<ClassSet> handedSetOf(Storage& storage, RowId classId) {
    std::optional<HandedSet> handed = storage.handedSet(classId);
    if (!handed) return std::nullopt;
    std::optional<std::string> bytes = storage.problemSet(handed->hash);
    const std::optional<ProblemSet> set = bytes ? readSetBytes(*bytes) : std::nullopt;
    if (!set) throw StorageError("the set handed out is not readable: " + handed->hash);
    return ClassSet{std::move(*handed), std::move(*bytes), unitsOf(*set)};
}

// The one handed out last, else the site's own.
std::optional<ClassSet> classSetOf(Storage& storage, RowId classId, const std::string& siteFolder) {
    if (std::optional<ClassSet> handed = handedSetOf(storage, classId)) return handed;
    return shippedSet(siteFolder);
}

json setJson(const std::optional<ClassSet>& set) {
    if (!set) return nullptr;
    json units = json::array();
    for (const SetUnit& unit : set->units)
        units.push_back({{"title", unit.title}, {"problems", unit.problems}});
    return {{"hash", set->handed.hash},
            {"name", set->handed.name},
            {"handedAt", set->handed.handedAt},
            {"units", units}};
}

std::string base64Of(std::string_view bytes) {
    constexpr int variant = sodium_base64_VARIANT_ORIGINAL;
    std::string text(sodium_base64_ENCODED_LEN(bytes.size(), variant), '\0');
    sodium_bin2base64(text.data(), text.size(), reinterpret_cast<const unsigned char*>(bytes.data()),
                      bytes.size(), variant);
    text.resize(text.size() - 1); // the terminating NUL
    return text;
}

// A file name the pages can show and keep: UTF-8 without control
// characters or folders.
bool isSetName(std::string_view name) {
    if (name.empty() || name.size() > maxSetNameBytes || name == "." || name == "..") return false;
    for (std::size_t at = 0; at < name.size();) {
        const std::optional<char32_t> c = nextUtf8(name, at);
        if (!c || *c < 0x20 || *c == 0x7F || *c == '/' || *c == '\\') return false;
    }
    return true;
}

// The ?name= of the request, when it is a name isSetName takes.
std::optional<std::string> setNameOf(const Request& request) {
    const auto query = queryParameters(request.target, {"name"});
    if (!query) return std::nullopt;
    const auto name = query->find("name");
    if (name == query->end() || !isSetName(name->second)) return std::nullopt;
    return name->second;
}

void handOutSet(Storage& storage, const SchoolClass& schoolClass, const Request& request,
                Response& response) {
    const std::optional<std::string> name = setNameOf(request);
    if (!name) return answerError(response, ApiError::BadRequest);
    const SetCheck check = checkSetBytes(*name, request.body);
    if (!check.passed)
        return answerJson(
            response, 422,
            {{"error", "set-refused"}, {"message", check.result}, {"messages", check.messages}});
    const std::optional<ProblemSet> set = readSetBytes(request.body);
    if (!set) return answerError(response, ApiError::Internal);
    ClassSet handed{{sha256Hex(request.body), *name, nowMillis()}, request.body, unitsOf(*set)};
    storage.addProblemSet(handed.handed.hash, handed.bytes);
    storage.handOutSet(schoolClass.id, handed.handed.hash, handed.handed.name, handed.handed.handedAt);
    answerJson(response, 200, {{"set", setJson(handed)}});
}

void pupilsSet(Storage& storage, const Session& session, Response& response) {
    const std::optional<Pupil> pupil = storage.pupil(session.accountId);
    if (!pupil) return answerError(response, ApiError::NotFound);
    const std::optional<ClassSet> set = handedSetOf(storage, pupil->classId);
    if (!set) return answerJson(response, 200, {{"set", nullptr}});
    answerJson(
        response, 200,
        {{"set", {{"hash", set->handed.hash}, {"name", set->handed.name}, {"bytes", base64Of(set->bytes)}}}});
}

// A set the teacher has met: handed to a class of theirs, done by a pupil of
// theirs, or the site's own.
void setBytes(Storage& storage, const Session& session, const std::string& siteFolder, const Request& request,
              Response& response) {
    const std::string hash = request.matches[1];
    std::optional<std::string> bytes;
    if (storage.teacherMaySeeSet(session.accountId, hash)) bytes = storage.problemSet(hash);
    if (!bytes) {
        std::optional<ClassSet> shipped = shippedSet(siteFolder);
        if (shipped && shipped->handed.hash == hash) bytes = std::move(shipped->bytes);
    }
    if (!bytes) return answerError(response, ApiError::NotFound);
    response.status = 200;
    response.set_content(*bytes, "application/octet-stream");
}

struct Overview {
    std::optional<ClassSet> set;
    std::vector<PupilProgress> pupils;
};

Overview overviewOf(Storage& storage, const SchoolClass& schoolClass, const std::string& siteFolder) {
    Overview overview{classSetOf(storage, schoolClass.id, siteFolder), {}};
    const std::vector<ProblemProgress> progress =
        overview.set ? storage.classProgress(schoolClass.id, overview.set->handed.hash)
                     : std::vector<ProblemProgress>();
    overview.pupils = classOverview(overview.set ? overview.set->units : std::vector<SetUnit>(),
                                    storage.pupilsOf(schoolClass.id), progress);
    return overview;
}

json overviewJson(const Overview& overview) {
    json pupils = json::array();
    for (const PupilProgress& row : overview.pupils) {
        json units = json::array();
        for (const UnitProgress& unit : row.units)
            units.push_back({{"counts", unit.counts}, {"last", unit.last}});
        pupils.push_back(
            {{"id", row.pupil.id}, {"number", row.pupil.number}, {"name", row.pupil.name}, {"units", units}});
    }
    return {{"set", setJson(overview.set)}, {"pupils", pupils}};
}

void overviewAsCsv(const Overview& overview, const Request& request, Response& response) {
    const auto query = queryParameters(request.target, {"encoding"});
    if (!query) return answerError(response, ApiError::BadRequest);
    const auto encoding = query->find("encoding");
    const bool cp932 = encoding != query->end() && encoding->second == "cp932";
    if (encoding != query->end() && !cp932 && encoding->second != "utf-8")
        return answerError(response, ApiError::BadRequest);
    const std::vector<SetUnit> none;
    response.status = 200;
    response.set_header("Content-Disposition", R"(attachment; filename="overview.csv")");
    response.set_content(overviewCsv(overview.set ? overview.set->units : none, overview.pupils,
                                     cp932 ? CsvEncoding::Cp932 : CsvEncoding::Utf8),
                         cp932 ? "text/csv; charset=shift_jis" : "text/csv; charset=utf-8");
}

} // namespace

void addOverviewRoutes(Routes& routes, Storage& storage, const std::string& siteFolder) {
    routes.put(R"(/api/classes/(\d{1,18})/set)", forClass(storage, handOutSet));
    routes.get(
        R"(/api/classes/(\d{1,18})/set)",
        forClass(storage, [siteFolder](Storage& storage, const SchoolClass& schoolClass, const Request&,
                                       Response& response) {
            answerJson(response, 200, {{"set", setJson(classSetOf(storage, schoolClass.id, siteFolder))}});
        }));
    routes.get("/api/class-set", [&storage](const Request& request, Response& response) {
        if (const std::optional<Session> session = admit(request, response, storage, Who::Pupil))
            pupilsSet(storage, *session, response);
    });
    routes.get("/api/sets/([0-9a-f]{64})",
               [&storage, siteFolder](const Request& request, Response& response) {
                   if (const std::optional<Session> session = admit(request, response, storage, Who::Teacher))
                       setBytes(storage, *session, siteFolder, request, response);
               });
    routes.get(R"(/api/classes/(\d{1,18})/overview)",
               forClass(storage, [siteFolder](Storage& storage, const SchoolClass& schoolClass,
                                              const Request&, Response& response) {
                   answerJson(response, 200, overviewJson(overviewOf(storage, schoolClass, siteFolder)));
               }));
    routes.get(R"(/api/classes/(\d{1,18})/overview\.csv)",
               forClass(storage, [siteFolder](Storage& storage, const SchoolClass& schoolClass,
                                              const Request& request, Response& response) {
                   overviewAsCsv(overviewOf(storage, schoolClass, siteFolder), request, response);
               }));
}

} // namespace tavolini::server
