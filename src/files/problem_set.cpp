// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/problem_set.h"

#include "core/algebra.h"
#include "core/cp932.h"
#include "core/dialogs.h"
#include "core/parser.h"
#include "core/token_kinds.h"
#include "core/text_file.h"

#include <filesystem>
#include <utility>

namespace tavolini {
namespace {

// The tables a read builds; they replace the set's only when the read succeeds.
struct Tables {
    std::array<std::string, UnitRows> UnitNames;
    std::array<std::array<std::string, ProblemColumns>, UnitRows> ProblemTexts;
    std::array<std::int32_t, UnitRows> problemCounts;
};

std::string_view problemText(const ProblemSet& set, int unit, int problem) {
    if (unit < 0 || unit >= UnitRows || problem < 0 || problem >= ProblemColumns) return {};
    return set.ProblemTexts[static_cast<std::size_t>(unit)][static_cast<std::size_t>(problem)];
}

bool hasThirdLetter(const Algebra& algebra) {
    for (int slot = 1; slot <= 2; ++slot) {
        const MShiki& equation = algebra.EquationTable[static_cast<std::size_t>(slot)];
        for (int i = 0; i < equation.count; ++i) {
            const char kind = equation.tokens[static_cast<std::size_t>(i)].kind;
            if (isLetter(kind) && kind != algebra.unknown1 && kind != algebra.unknown2) return true;
        }
    }
    return false;
}

void reportInvalidProblem(Algebra& algebra, std::string_view line) {
    algebra.dialogs.showMessage(std::string(line) + cp932("：問題が不正です"));
}

} // namespace

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error || path.empty() ? path : full.native();
}

std::string currentFolder() {
    std::error_code error;
    std::string folder = std::filesystem::current_path(error).native();
    if (error || folder.empty()) return {};
    if (folder.back() != '/') folder += '/';
    return folder;
}

FileStatus readProblemSetFile(ProblemSet& set, const std::string& path) {
    // Held absolute, so that the record file and the file dialogs do not
    // depend on the folder the program runs in later.
    const std::string fullPath = absolutePath(path);
    const FileContents file = readWholeFile(fullPath);
    set.lines.clear();
    if (file.status == FileStatus::Read) set.lines = splitLines(file.bytes);
    set.problemSetPath = fullPath;
    return file.status;
}

bool loadProblemSetFile(ProblemSet& set, Algebra& algebra, ProgramEnd& programEnd, const std::string& path) {
    const std::string before = set.problemSetPath;
    const FileStatus status = readProblemSetFile(set, path);
    if (status == FileStatus::Read) return true;
    const std::string fullPath = std::exchange(set.problemSetPath, before);
    fatalError(algebra, programEnd, fullPath + (status == FileStatus::Missing ? ":FileNot Exists" : ":File Can't Load"));
    return false;
}

bool readProblemSet(ProblemSet& set, Dialogs& dialogs) {
    if (set.lines.empty()) return false;

    // A set read whole replaces the old one whole: no title or problem of a
    // larger set read before stays behind in the rows this one leaves empty.
    Tables tables{};
    int open = 0; // problems read into the open unit
    int unit = 0;
    bool unitIsOpen = false;
    for (const std::string& line : set.lines) {
        if (line.starts_with(UnitOpening)) {
            // The tables hold 16 units.
            if (unitIsOpen || unit == MaxUnits) return false;
            ++unit;
            unitIsOpen = true;
            const auto row = static_cast<std::size_t>(unit);
            tables.UnitNames[row] = line.substr(UnitOpening.size());
            tables.ProblemTexts[row][0] = tables.UnitNames[row];
        } else if (line == UnitClosing) {
            if (open == 0) return false;
            tables.problemCounts[static_cast<std::size_t>(unit)] = open;
            open = 0;
            unitIsOpen = false;
        } else {
            // A problem outside a unit would overwrite another unit's problems.
            if (!unitIsOpen) return false;
            if (open >= MaxProblemsPerUnit) {
                dialogs.showMessage(cp932("問題は") + std::to_string(MaxProblemsPerUnit) + cp932("問以下です"));
                return false;
            }
            ++open;
            tables.ProblemTexts[static_cast<std::size_t>(unit)][static_cast<std::size_t>(open)] = line;
        }
    }
    if (unitIsOpen) return false;

    set.UnitNames = std::move(tables.UnitNames);
    set.ProblemTexts = std::move(tables.ProblemTexts);
    set.problemCounts = tables.problemCounts;
    set.unitCount = unit;
    return true;
}

int currentProblemNumber(const ProblemSet& set) {
    const int unit = set.currentUnit;
    return unit >= 0 && unit < UnitRows ? set.problemNumbers[static_cast<std::size_t>(unit)] : 0;
}

std::string problemTitle(int unit, int problem) {
    return std::to_string(unit) + " (" + std::to_string(problem) + cp932(")次の連立方程式を解きなさい");
}

RenExt splitProblem(std::string_view line) {
    const std::size_t semicolon = line.find(';');
    if (semicolon == std::string_view::npos) return {"?", "?", 0};
    return {std::string(line.substr(0, semicolon)), std::string(line.substr(semicolon + 1)), 0};
}

bool writtenWithDecimals(const RenExt& problem) {
    return problem.firstText.find('.') != std::string::npos || problem.secondText.find('.') != std::string::npos;
}

RenExt loadProblem(const ProblemSet& set, Algebra& algebra, int unit, int problem) {
    const std::string_view line = problemText(set, unit, problem);
    RenExt result = splitProblem(line);
    result.invalid = 1;

    algebra.equationCount = 1;
    algebra.unknown1 = '?';
    algebra.unknown2 = '?';
    if (!parseEquation(algebra, algebra.EquationTable[1], result.firstText)) {
        reportInvalidProblem(algebra, line);
        return result;
    }
    algebra.EquationTable[1].origin = 1;

    algebra.equationCount = 2;
    if (!parseEquation(algebra, algebra.EquationTable[2], result.secondText)) {
        reportInvalidProblem(algebra, line);
        return result;
    }
    algebra.EquationTable[2].origin = 2;
    algebra.hasDecimalPoint = writtenWithDecimals(result);

    // Without a letter there is nothing to solve for; a third letter would be
    // dropped by every step that collects terms.
    if (algebra.unknown1 == '?' || hasThirdLetter(algebra)) {
        algebra.dialogs.showMessage(cp932("文字が不正です"));
        return result;
    }
    algebra.originCounter = 2;
    result.invalid = 0;
    return result;
}

bool writeProblemSetFile(const ProblemSet& set, Dialogs& dialogs, const std::string& path) {
    if (writeFileAtomically(path, joinLines(set.lines))) return true;
    dialogs.showMessage(fileNotWrittenMessage(path));
    return false;
}

void fatalError(Algebra& algebra, ProgramEnd& programEnd, std::string_view text) {
    algebra.dialogs.showMessage(std::string(text) + std::to_string(static_cast<int>(algebra.parseError)) +
                                cp932(":回復不能なエラーです"));
    programEnd.endProgram();
}

std::string fileNotWrittenMessage(std::string_view path) {
    return std::string(path) + cp932(":ファイルに書き込めません");
}

} // namespace tavolini
