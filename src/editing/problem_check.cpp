// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "editing/problem_check.h"

#include "core/algebra.h"
#include "core/cp932.h"
#include "files/problem_set.h"

#include <array>
#include <cstdio>

namespace tavolini {
namespace {

// "U+1F600": a character the code page cannot show either.
std::string codePoint(char32_t c) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "U+%04X", static_cast<unsigned>(c));
    return text.data();
}

std::string unencodableMessage(std::size_t index, const EditorLine& line) {
    return std::to_string(index + 1) + cp932("行目：「") + codePoint(line.unencodable) +
           cp932("」はShift-JISにない文字です");
}

} // namespace

ProblemCheck checkProblemSet(const std::vector<EditorLine>& lines) {
    ProblemCheck check;
    ProblemSet set;
    for (const EditorLine& line : lines)
        set.lines.push_back(line.text);
    if (const SetReading structure = readProblemSet(set); structure.fault != SetFault::None) {
        // A character the code page cannot hold stands as '?' in the bytes:
        // it, not what the '?' makes of the units, is what to mend.
        const std::size_t at = structure.line;
        tell(check.messages, at < lines.size() && lines[at].unencodable != 0
                                 ? unencodableMessage(at, lines[at])
                                 : setFaultMessage(structure, set.lines));
        return check;
    }

    // The units are well formed: every line is a title, a unit's end or a
    // problem of the open unit, in the order the tables were read.
    Algebra algebra;
    int unit = 0;
    int problem = 0;
    std::size_t unitLine = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const EditorLine& line = lines[i];
        if (line.text.starts_with(UnitOpening)) {
            ++unit;
            problem = 0;
            unitLine = i;
            if (line.unencodable != 0) {
                tell(check.messages, unencodableMessage(i, line));
                check.failingLines.push_back(i);
            }
        } else if (line.text == UnitClosing) {
            if (!check.failingLines.empty()) {
                check.verdict = CheckVerdict::FailingUnit;
                check.failingUnitLine = unitLine;
                return check;
            }
        } else {
            ++problem;
            // Whatever was told about the line marks it failing, so that an
            // error shown is never followed by a pass.
            const std::size_t told = check.messages.size();
            // A character the code page cannot hold stands as '?' in the
            // text: it, not what the '?' makes of the problem, is what to mend.
            const bool unencodable = line.unencodable != 0;
            if (unencodable) tell(check.messages, unencodableMessage(i, line));
            const bool invalid =
                unencodable || loadProblem(set, algebra, unit, problem, check.messages).invalid;
            if (invalid || check.messages.size() != told) check.failingLines.push_back(i);
        }
    }
    check.verdict = CheckVerdict::Passed;
    check.unitCount = set.unitCount;
    return check;
}

std::string checkResultText(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::Passed:
        return cp932("☆☆☆　構文チェック成功　☆☆☆");
    case CheckVerdict::FailingUnit:
        return cp932("??? 誤りがあります ???");
    case CheckVerdict::BadStructure:
        break;
    }
    return cp932("??? 問題に誤りがあります");
}

std::string checkUnitCountText(const ProblemCheck& check) {
    return check.verdict == CheckVerdict::Passed ? std::to_string(check.unitCount) : std::string();
}

std::string noErrorsText() {
    return cp932("なし");
}

std::string badStructureText() {
    return cp932("問題に誤りです");
}

} // namespace tavolini
