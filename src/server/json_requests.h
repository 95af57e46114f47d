// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini::server {

// Why a body was refused; every one of them answers 400 bad-request.
enum class RequestFault {
    None,
    NotJson,      // not JSON, or strings that are not UTF-8
    TooDeep,      // objects and arrays nested deeper than maxRequestDepth
    NotAnObject,  // the body (or an element that must be one) is not an object
    MissingField, // a listed field is absent
    UnknownField, // a field that is not listed, or one named twice
    WrongType,    // a field of another JSON type
    OutOfRange,   // a number or a length outside its bounds, or a control character in a line
};

constexpr int maxRequestDepth = 4;

template <class T> struct Decoded {
    T value{};
    RequestFault fault = RequestFault::None;
    bool ok() const { return fault == RequestFault::None; }
};

struct PupilSignIn {
    std::string classCode;
    int number = 0;
    std::string password;
};

struct TeacherSignIn {
    std::string name;
    std::string password;
};

struct PasswordChange {
    std::string password;
    std::string newPassword; // 10 to 128 bytes
};

struct NewClass {
    std::string title; // 1 to 100 bytes
};

struct NewPupil {
    int number = 0; // 1 to 999
    std::string name;
};

struct NewPupils {
    std::vector<NewPupil> pupils; // 1 to 200
};

// A completion as the page sends it, before its replay.
struct CompletionUpload {
    std::string id; // 32 lower-case hex digits
    std::string setName;
    std::string setHash; // 64 lower-case hex digits
    std::string unit;
    int problem = 0; // 1 to 5
    std::string steps;
    std::string answer;
    int hints = 0; // 0 to 10000
    std::int64_t startedAt = 0;
    std::int64_t endedAt = 0;
};

Decoded<PupilSignIn> decodePupilSignIn(std::string_view body);
Decoded<TeacherSignIn> decodeTeacherSignIn(std::string_view body);
Decoded<PasswordChange> decodePasswordChange(std::string_view body);
Decoded<NewClass> decodeNewClass(std::string_view body);
Decoded<NewPupils> decodeNewPupils(std::string_view body);
Decoded<CompletionUpload> decodeCompletion(std::string_view body);

// Lower-case hex of exactly `length` digits (hashes and ids in paths and bodies).
bool isLowerHex(std::string_view text, std::size_t length);

} // namespace tavolini::server
