// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "server/json_requests.h"

#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <vector>

namespace tavolini::server {

namespace {

using nlohmann::json;

// Measured on the bytes before the parser builds anything, so that a body of
// nested brackets costs nothing but one pass.
bool nestedDeeperThan(std::string_view text, int limit) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) return true;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return false;
}

enum class Line { Single, Any };

// The fields of one object, read one by one; the first fault is kept and the
// object must hold nothing that was not read.
class Fields {
  public:
    explicit Fields(const json& object) : object_(object) {}

    std::string text(const char* name, std::size_t minBytes, std::size_t maxBytes, Line line) {
        const json* value = field(name);
        if (!value) return {};
        if (!value->is_string()) return fail(RequestFault::WrongType), std::string();
        const auto& text = value->get_ref<const std::string&>();
        if (text.size() < minBytes || text.size() > maxBytes || (line == Line::Single && hasControl(text)))
            return fail(RequestFault::OutOfRange), std::string();
        return text;
    }

    std::int64_t integer(const char* name, std::int64_t min, std::int64_t max) {
        const json* value = field(name);
        if (!value) return 0;
        if (!value->is_number_integer()) return fail(RequestFault::WrongType), 0;
        if (value->is_number_unsigned() &&
            value->get<std::uint64_t>() >
                static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return fail(RequestFault::OutOfRange), 0;
        const auto number = value->get<std::int64_t>();
        if (number < min || number > max) return fail(RequestFault::OutOfRange), 0;
        return number;
    }

    int smallInteger(const char* name, int min, int max) { return static_cast<int>(integer(name, min, max)); }

    const json* array(const char* name, std::size_t minCount, std::size_t maxCount) {
        const json* value = field(name);
        if (!value) return nullptr;
        if (!value->is_array()) return fail(RequestFault::WrongType), nullptr;
        if (value->size() < minCount || value->size() > maxCount)
            return fail(RequestFault::OutOfRange), nullptr;
        return value;
    }

    void fail(RequestFault fault) {
        if (fault_ == RequestFault::None) fault_ = fault;
    }

    RequestFault finish() const {
        if (fault_ == RequestFault::None && read_ != object_.size()) return RequestFault::UnknownField;
        return fault_;
    }

  private:
    const json* field(const char* name) {
        const auto found = object_.find(name);
        if (found == object_.end()) return fail(RequestFault::MissingField), nullptr;
        ++read_;
        return &*found;
    }

    static bool hasControl(const std::string& text) {
        for (const char c : text)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
        return false;
    }

    const json& object_;
    std::size_t read_ = 0;
    RequestFault fault_ = RequestFault::None;
};

template <class T, class Read> Decoded<T> decode(std::string_view body, Read read) {
    Decoded<T> result;
    if (nestedDeeperThan(body, maxRequestDepth)) {
        result.fault = RequestFault::TooDeep;
        return result;
    }
    // A field named twice would leave only its last value: refused like an unknown one.
    std::vector<std::set<std::string>> keysByObject;
    bool keyTwice = false;
    const auto noteKeys = [&](int, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::object_start)
            keysByObject.emplace_back();
        else if (event == json::parse_event_t::object_end && !keysByObject.empty())
            keysByObject.pop_back();
        else if (event == json::parse_event_t::key && !keysByObject.empty() && parsed.is_string())
            keyTwice = keyTwice || !keysByObject.back().insert(parsed.get<std::string>()).second;
        return true;
    };
    const json parsed = json::parse(body.begin(), body.end(), noteKeys, false);
    if (parsed.is_discarded())
        result.fault = RequestFault::NotJson;
    else if (!parsed.is_object())
        result.fault = RequestFault::NotAnObject;
    else if (keyTwice)
        result.fault = RequestFault::UnknownField;
    else {
        Fields fields(parsed);
        read(fields, result.value);
        result.fault = fields.finish();
    }
    return result;
}

constexpr std::size_t maxPasswordBytes = 128;
constexpr std::size_t maxNameBytes = 100;
constexpr std::size_t maxSetTextBytes = 1000;
constexpr std::size_t maxStepsBytes = 512 * 1024;
// The largest integer a page's number holds exactly.
constexpr std::int64_t maxMillis = (std::int64_t{1} << 53) - 1;

} // namespace

bool isLowerHex(std::string_view text, std::size_t length) {
    if (text.size() != length) return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

Decoded<PupilSignIn> decodePupilSignIn(std::string_view body) {
    return decode<PupilSignIn>(body, [](Fields& fields, PupilSignIn& out) {
        out.classCode = fields.text("classCode", 1, 32, Line::Single);
        out.number = fields.smallInteger("number", 1, 999);
        out.password = fields.text("password", 1, maxPasswordBytes, Line::Any);
    });
}

Decoded<TeacherSignIn> decodeTeacherSignIn(std::string_view body) {
    return decode<TeacherSignIn>(body, [](Fields& fields, TeacherSignIn& out) {
        out.name = fields.text("name", 1, maxNameBytes, Line::Single);
        out.password = fields.text("password", 1, maxPasswordBytes, Line::Any);
    });
}

Decoded<PasswordChange> decodePasswordChange(std::string_view body) {
    return decode<PasswordChange>(body, [](Fields& fields, PasswordChange& out) {
        out.password = fields.text("password", 1, maxPasswordBytes, Line::Any);
        out.newPassword = fields.text("newPassword", 10, maxPasswordBytes, Line::Any);
    });
}

Decoded<NewClass> decodeNewClass(std::string_view body) {
    return decode<NewClass>(body, [](Fields& fields, NewClass& out) {
        out.title = fields.text("title", 1, maxNameBytes, Line::Single);
    });
}

Decoded<NewPupils> decodeNewPupils(std::string_view body) {
    return decode<NewPupils>(body, [](Fields& fields, NewPupils& out) {
        const json* list = fields.array("pupils", 1, 200);
        if (!list) return;
        for (const json& element : *list) {
            if (!element.is_object()) return fields.fail(RequestFault::NotAnObject);
            Fields pupil(element);
            NewPupil added;
            added.number = pupil.smallInteger("number", 1, 999);
            added.name = pupil.text("name", 1, maxNameBytes, Line::Single);
            if (pupil.finish() != RequestFault::None) return fields.fail(pupil.finish());
            out.pupils.push_back(std::move(added));
        }
    });
}

Decoded<CompletionUpload> decodeCompletion(std::string_view body) {
    return decode<CompletionUpload>(body, [](Fields& fields, CompletionUpload& out) {
        out.id = fields.text("id", 32, 32, Line::Single);
        out.setName = fields.text("setName", 1, maxSetTextBytes, Line::Single);
        out.setHash = fields.text("setHash", 64, 64, Line::Single);
        out.unit = fields.text("unit", 1, maxSetTextBytes, Line::Single);
        out.problem = fields.smallInteger("problem", 1, 5);
        out.steps = fields.text("steps", 0, maxStepsBytes, Line::Any);
        out.answer = fields.text("answer", 0, maxSetTextBytes, Line::Any);
        out.hints = fields.smallInteger("hints", 0, 10000);
        out.startedAt = fields.integer("startedAt", 0, maxMillis);
        out.endedAt = fields.integer("endedAt", 0, maxMillis);
        if (!isLowerHex(out.id, 32) || !isLowerHex(out.setHash, 64)) fields.fail(RequestFault::OutOfRange);
    });
}

} // namespace tavolini::server
