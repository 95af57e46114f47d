// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/messages.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tavolini {

// One line of the editor's text: its code page 932 bytes, and the first
// character of the teacher's text that the code page cannot hold, 0 when
// none (with one, the bytes are only a stand-in and the line can never be
// accepted).
struct EditorLine {
    std::string text;
    char32_t unencodable = 0;
};

enum class CheckVerdict {
    Passed,       // every problem of every unit loads
    BadStructure, // the units are not well formed
    FailingUnit,  // a unit has problems that do not load
};

// What エラーチェック found. Lines are given by their index in the text, so
// that the editor can show them as the teacher wrote them.
struct ProblemCheck {
    CheckVerdict verdict = CheckVerdict::BadStructure;
    int unitCount = 0;                     // with Passed
    std::size_t failingUnitLine = 0;       // with FailingUnit: the "<<" line of the first unit with failures
    std::vector<std::size_t> failingLines; // with FailingUnit: its failing lines, in order
    Messages messages;                     // what the check and the loader found, in order
};

// Reads the units and loads every problem as the practice does, stopping
// after the first unit with failures. It works on copies: no table or
// equation of the practice changes. The loader's and the parser's messages
// come back in the result, in the order they occurred.
ProblemCheck checkProblemSet(const std::vector<EditorLine>& lines);

// The texts of the result fields, code page 932.
std::string checkResultText(CheckVerdict verdict);         // エラーチェックの結果
std::string checkUnitCountText(const ProblemCheck& check); // 単元数: the count after a pass, else empty
std::string noErrorsText();                                // "なし"
std::string badStructureText();                            // "問題に誤りです"

} // namespace tavolini
