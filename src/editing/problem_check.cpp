// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "editing/problem_check.h"

#include "core/algebra.h"
#include "core/cp932.h"
#include "files/problem_set.h"

namespace tavolini {

ProblemCheck checkProblemSet(const std::vector<EditorLine>& lines, Dialogs& dialogs) {
    ProblemSet set;
    for (const EditorLine& line : lines) set.lines.push_back(line.text);
    if (!readProblemSet(set, dialogs)) return {};

    // The units are well formed: every line is a title, a unit's end or a
    // problem of the open unit, in the order the tables were read.
    Algebra algebra(dialogs);
    int unit = 0;
    int problem = 0;
    std::size_t unitLine = 0;
    std::vector<std::size_t> failing;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const EditorLine& line = lines[i];
        if (line.text.starts_with(UnitOpening)) {
            ++unit;
            problem = 0;
            unitLine = i;
            if (line.unencodable) failing.push_back(i);
        } else if (line.text == UnitClosing) {
            if (!failing.empty()) return {CheckVerdict::FailingUnit, 0, unitLine, failing};
        } else {
            ++problem;
            if (line.unencodable || loadProblem(set, algebra, unit, problem).invalid != 0) failing.push_back(i);
        }
    }
    return {CheckVerdict::Passed, set.unitCount, 0, {}};
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

std::string noErrorsText() { return cp932("なし"); }

std::string badStructureText() { return cp932("問題に誤りです"); }

} // namespace tavolini
