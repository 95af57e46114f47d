// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/problem_set.h"

#include "core/algebra.h"
#include "core/cp932.h"
#include "core/dialogs.h"
#include "core/parser.h"
#include "core/text_file.h"
#include "core/token_kinds.h"
#include "files/profile_text.h"

#include <algorithm>
#include <filesystem>
#include <optional>
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

// The first letter of the two equations that is neither unknown; 0 when none.
char thirdLetter(const Algebra& algebra) {
    for (int slot = 1; slot <= 2; ++slot) {
        const MShiki& equation = algebra.EquationTable[static_cast<std::size_t>(slot)];
        for (int i = 0; i < equation.count; ++i) {
            const char kind = tokenAt(equation, i).kind;
            if (isLetter(kind) && kind != algebra.unknown1 && kind != algebra.unknown2) return kind;
        }
    }
    return 0;
}

// The index of the line a problem of the tables was read from; none when
// the lines no longer hold it there.
std::optional<std::size_t> problemLineIndex(const ProblemSet& set, int unit, int problem) {
    int atUnit = 0;
    int atProblem = 0;
    for (std::size_t i = 0; i < set.lines.size(); ++i) {
        const std::string& line = set.lines[i];
        if (line.starts_with(UnitOpening)) {
            ++atUnit;
            atProblem = 0;
        } else if (line != UnitClosing && atUnit == unit && ++atProblem == problem) {
            if (line == problemText(set, unit, problem)) return i;
            break;
        }
    }
    return std::nullopt;
}

void reportInvalidProblem(Messages& messages, std::string_view line) {
    tell(messages, shownLine(line) + cp932("：問題が不正です"));
}

// Code page 932 text but for its NULs, which the unit check names with their lines.
bool isCp932TextBesideNuls(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t nul = text.find('\0'); nul != std::string_view::npos; nul = text.find('\0', start)) {
        if (!isCp932Text(text.substr(start, nul - start))) return false;
        start = nul + 1;
    }
    return isCp932Text(text.substr(start));
}

// "0x1B": the first control byte of a line.
std::string controlByteText(std::string_view line) {
    const auto found = std::find_if(line.begin(), line.end(), isControlByte);
    const char byte = found == line.end() ? '\0' : *found;
    return hexBytes({&byte, 1});
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

SetFileReading readProblemSetFile(ProblemSet& set, const std::string& path) {
    // Held absolute, so that the record file and the file dialogs do not
    // depend on the folder the program runs in later.
    const std::string fullPath = absolutePath(path);
    set.lines.clear();
    set.problemSetPath = fullPath;
    const FileContents file = readWholeFile(fullPath);
    switch (file.status) {
    case FileStatus::Read:
        break;
    case FileStatus::Missing:
        return {SetFileFault::Missing};
    case FileStatus::Failed:
        return {SetFileFault::Unreadable};
    case FileStatus::Folder:
        return {SetFileFault::Folder};
    case FileStatus::NotAFile:
        return {SetFileFault::NotAFile};
    case FileStatus::TooLarge:
        return {SetFileFault::TooLarge};
    }
    // A file that is not code page 932 would be shown garbled and written
    // back changed.
    if (!isCp932TextBesideNuls(file.bytes)) return {SetFileFault::NotShiftJis};
    std::vector<std::string> lines = splitLines(file.bytes);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > MaxLineBytes) return {SetFileFault::LineTooLong, i + 1};
    set.lines = std::move(lines);
    return {};
}

std::string setFileMessage(std::string_view path, const SetFileReading& reading) {
    const std::string file(path);
    switch (reading.fault) {
    case SetFileFault::None:
        break;
    case SetFileFault::Missing:
        return file + cp932(":ファイルがありません");
    case SetFileFault::Unreadable:
        return file + cp932(":ファイルを読み込めません");
    case SetFileFault::Folder:
        return file + cp932(":フォルダです。問題ファイルを選んでください");
    case SetFileFault::NotAFile:
        return file + cp932(":ふつうのファイルではありません");
    case SetFileFault::TooLarge:
        return file + cp932(":ファイルが大きすぎます（問題ファイルは1MBまでです）");
    case SetFileFault::NotShiftJis:
        return file + cp932(":Shift-JISの問題ファイルではありません");
    case SetFileFault::LineTooLong:
        return file + ":" + std::to_string(reading.line) + cp932("行目が長すぎます（1行") +
               std::to_string(MaxLineBytes) + cp932("バイトまでです）");
    }
    return file;
}

SetReading readUnitStructure(const std::vector<std::string>& lines) {
    if (lines.empty()) return {SetFault::NoLines};
    int open = 0; // problems read into the open unit
    int unit = 0;
    bool unitIsOpen = false;
    const std::size_t none = lines.size();
    std::size_t blankClosing = none; // the open unit's first ">>" with blanks after it
    std::array<std::size_t, UnitRows> titleLines{};
    // A unit that runs on was most likely meant to end at such a line.
    const auto unitRunsOn = [&](SetFault fault, std::size_t i) {
        return blankClosing != none ? SetReading{SetFault::BlankAfterClosing, blankClosing}
                                    : SetReading{fault, i};
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() > MaxLineBytes) return {SetFault::LineTooLong, i};
        if (std::any_of(line.begin(), line.end(), isControlByte)) return {SetFault::ControlCharacter, i};
        if (line.starts_with(UnitOpening)) {
            if (unitIsOpen) return unitRunsOn(SetFault::UnitNotClosed, i);
            // The tables hold 16 units.
            if (unit == MaxUnits) return {SetFault::TooManyUnits, i};
            ++unit;
            unitIsOpen = true;
            titleLines[static_cast<std::size_t>(unit)] = i;
            // Units whose records would share one section of the record file
            // would share their stars and be erased together.
            const std::string_view title = std::string_view(line).substr(UnitOpening.size());
            for (int other = 1; other < unit; ++other) {
                const std::size_t otherLine = titleLines[static_cast<std::size_t>(other)];
                if (sameProfileName(std::string_view(lines[otherLine]).substr(UnitOpening.size()), title))
                    return {SetFault::SameTitles, i, otherLine, unit, other};
            }
        } else if (line == UnitClosing) {
            if (!unitIsOpen) return {SetFault::OutsideUnit, i};
            if (open == 0) return {SetFault::UnitWithoutProblem, i};
            open = 0;
            unitIsOpen = false;
            blankClosing = none;
        } else {
            const SetFault lineFault = problemLineFault(line);
            // A problem outside a unit would overwrite another unit's problems.
            if (!unitIsOpen) return {lineFault == SetFault::None ? SetFault::OutsideUnit : lineFault, i};
            if (lineFault == SetFault::BlankAfterClosing && blankClosing == none) blankClosing = i;
            if (open == MaxProblemsPerUnit) {
                SetReading reading = unitRunsOn(SetFault::TooManyProblems, i);
                reading.otherLine = titleLines[static_cast<std::size_t>(unit)];
                return reading;
            }
            ++open;
        }
    }
    if (unitIsOpen) return unitRunsOn(SetFault::UnitNotClosed, lines.size() - 1);
    return {};
}

SetFault problemLineFault(std::string_view line) {
    if (line.empty()) return SetFault::EmptyLine;
    if (line.size() > UnitClosing.size() && line.starts_with(UnitClosing) &&
        line.find_first_not_of(" \t", UnitClosing.size()) == std::string_view::npos)
        return SetFault::BlankAfterClosing;
    return SetFault::None;
}

std::string setFaultMessage(const SetReading& reading, const std::vector<std::string>& lines) {
    const std::string at = std::to_string(reading.line + 1) + cp932("行目：");
    const auto title = [&lines](std::size_t i) {
        return i < lines.size() ? shownLine(std::string_view(lines[i]).substr(UnitOpening.size()))
                                : std::string();
    };
    switch (reading.fault) {
    case SetFault::None:
        return {};
    case SetFault::NoLines:
        return cp932("問題がありません");
    case SetFault::OutsideUnit:
        return at + cp932("単元の外にあります（単元は「<<単元名」で始めて「>>」で閉じます）");
    case SetFault::UnitNotClosed:
        return at + cp932("単元が「>>」で閉じていません");
    case SetFault::UnitWithoutProblem:
        return at + cp932("問題のない単元です");
    case SetFault::TooManyProblems:
        return at + cp932("単元「") + title(reading.otherLine) + cp932("」の問題は") +
               std::to_string(MaxProblemsPerUnit) + cp932("問までです");
    case SetFault::TooManyUnits:
        return at + cp932("単元は16個までです");
    case SetFault::LineTooLong:
        return at + cp932("行が長すぎます");
    case SetFault::ControlCharacter:
        return at + cp932("制御文字（") +
               controlByteText(reading.line < lines.size() ? lines[reading.line] : std::string_view()) +
               cp932("）があります");
    case SetFault::EmptyLine:
        return at + cp932("空の行です（問題の行に空行は使えません）");
    case SetFault::BlankAfterClosing:
        return at + cp932("「>>」の後ろに空白があります");
    case SetFault::SameTitles:
        break;
    }
    return at + cp932("単元") + std::to_string(reading.otherUnit) + cp932("「") + title(reading.otherLine) +
           cp932("」と単元") + std::to_string(reading.unit) + cp932("「") + title(reading.line) +
           cp932("」の名前は記録で区別できません（名前を変えてください）");
}

SetReading readProblemSet(ProblemSet& set) {
    const SetReading structure = readUnitStructure(set.lines);
    if (structure.fault != SetFault::None) return structure;

    // A set read whole replaces the old one whole: no title or problem of a
    // larger set read before stays behind in the rows this one leaves empty.
    Tables tables{};
    int open = 0;
    int unit = 0;
    for (const std::string& line : set.lines) {
        const auto row = static_cast<std::size_t>(unit);
        if (line.starts_with(UnitOpening)) {
            ++unit;
            tables.UnitNames[row + 1] = line.substr(UnitOpening.size());
            tables.ProblemTexts[row + 1][0] = tables.UnitNames[row + 1];
        } else if (line == UnitClosing) {
            tables.problemCounts[row] = std::exchange(open, 0);
        } else {
            ++open;
            tables.ProblemTexts[row][static_cast<std::size_t>(open)] = line;
        }
    }
    set.UnitNames = std::move(tables.UnitNames);
    set.ProblemTexts = std::move(tables.ProblemTexts);
    set.problemCounts = tables.problemCounts;
    set.unitCount = unit;
    return structure;
}

ProblemTrial tryEveryProblem(const ProblemSet& set) {
    ProblemTrial trial;
    Algebra algebra;
    Messages dropped;
    for (int unit = 1; unit <= std::min(set.unitCount, MaxUnits); ++unit)
        for (int problem = 1; problem <= set.problemCounts[static_cast<std::size_t>(unit)]; ++problem) {
            ++trial.problems;
            if (!loadProblem(set, algebra, unit, problem, dropped).invalid) continue;
            if (const std::optional<std::size_t> at = problemLineIndex(set, unit, problem))
                trial.unusableLines.push_back(*at);
        }
    return trial;
}

std::string unusableProblemsMessage(const ProblemTrial& trial) {
    std::string text = std::to_string(trial.unusableLines.size()) + cp932("問は使えません：");
    for (std::size_t k = 0; k < trial.unusableLines.size(); ++k)
        text += (k == 0 ? "" : cp932("、")) + std::to_string(trial.unusableLines[k] + 1) + cp932("行目");
    return text;
}

std::string shownLine(std::string_view line) {
    if (line.size() <= ShownLineBytes) return std::string(line);
    std::size_t end = 0;
    while (end < line.size()) {
        const std::size_t width = isCp932LeadByte(line[end]) ? 2 : 1;
        if (end + width > ShownLineBytes) break;
        end += width;
    }
    return std::string(line.substr(0, end)) + "...";
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
    return problem.firstText.find('.') != std::string::npos ||
           problem.secondText.find('.') != std::string::npos;
}

RenExt loadProblem(const ProblemSet& set, Algebra& algebra, int unit, int problem, Messages& messages) {
    const std::string_view line = problemText(set, unit, problem);
    RenExt result = splitProblem(line);
    result.invalid = true;

    algebra.equationCount = 1;
    algebra.unknown1 = '?';
    algebra.unknown2 = '?';
    // An empty line or a unit's end with blanks after it is named for what
    // it is, in the check's words, not as a problem without its ';'.
    if (const SetFault fault = problemLineFault(line); fault != SetFault::None) {
        if (const std::optional<std::size_t> at = problemLineIndex(set, unit, problem)) {
            tell(messages, setFaultMessage({fault, *at}, set.lines));
            return result;
        }
    }
    if (line.find(';') == std::string_view::npos) {
        tell(messages, shownLine(line) + cp932("：「;」がありません（2つの式は「;」で区切ります）"));
        return result;
    }
    if (!parseEquation(algebra, algebra.EquationTable[1], result.firstText, messages)) {
        reportInvalidProblem(messages, line);
        return result;
    }
    algebra.EquationTable[1].origin = 1;

    algebra.equationCount = 2;
    if (!parseEquation(algebra, algebra.EquationTable[2], result.secondText, messages)) {
        reportInvalidProblem(messages, line);
        return result;
    }
    algebra.EquationTable[2].origin = 2;
    algebra.hasDecimalPoint = writtenWithDecimals(result);

    // Without a letter there is nothing to solve for; a third letter would be
    // dropped by every step that collects terms.
    if (algebra.unknown1 == '?') {
        tell(messages, cp932("文字が不正です"));
        return result;
    }
    if (const char letter = thirdLetter(algebra)) {
        tell(messages, shownLine(line) + cp932("：3つめの文字「") + letter +
                           cp932("」があります（文字は2つまでです）"));
        return result;
    }
    // Two equations in one unknown are not a system of two unknowns: the
    // drill would never find the second.
    if (algebra.unknown2 == '?') {
        tell(messages, shownLine(line) + cp932("：文字が1つしかありません（文字は2つ使います）"));
        return result;
    }
    algebra.originCounter = 2;
    result.invalid = false;
    return result;
}

int unitTitled(const ProblemSet& set, std::string_view titleUtf8) {
    const std::string title = cp932(titleUtf8);
    if (utf8FromCp932(title) != titleUtf8) return 0;
    for (int unit = 1; unit <= set.unitCount && unit < UnitRows; ++unit)
        if (set.UnitNames[static_cast<std::size_t>(unit)] == title) return unit;
    return 0;
}

bool writeProblemSetFile(const ProblemSet& set, Messages& messages, const std::string& path) {
    const FileWrite written = writeFileAtomically(path, joinLines(set.lines));
    if (!written) tell(messages, fileWriteMessage(absolutePath(path), written.fault));
    return static_cast<bool>(written);
}

} // namespace tavolini
