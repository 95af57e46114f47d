// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/messages.h"
#include "core/text_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

struct Algebra;
class ProgramEnd;

inline constexpr int MaxUnits = 16;
inline constexpr int MaxProblemsPerUnit = 5;
inline constexpr int UnitRows = MaxUnits + 1;                 // row 0 holds no unit
inline constexpr int ProblemColumns = MaxProblemsPerUnit + 1; // column 0 the unit title again

inline constexpr std::string_view UnitOpening = "<<"; // followed by the unit's title
inline constexpr std::string_view UnitClosing = ">>";
inline constexpr std::string_view RecordExtension = ".rec";
inline constexpr std::string_view DefaultProblemSet = "ZUdir.sim";

// Far above any real line (an equation text holds at most 50 bytes): a longer
// line is refused before anything shows it.
inline constexpr std::size_t MaxLineBytes = 1024;
// How much of a line a message shows.
inline constexpr std::size_t ShownLineBytes = 80;

// One problem as split from its line.
struct RenExt {
    std::string firstText;  // equation ①
    std::string secondText; // equation ②
    bool invalid = false;   // set by loadProblem: either equation failed to parse
};

// A problem written with a decimal point in either equation is drawn with
// decimals throughout.
bool writtenWithDecimals(const RenExt& problem);

template <typename T> constexpr std::array<T, UnitRows> filledRows(T value) {
    std::array<T, UnitRows> rows{};
    rows.fill(value);
    return rows;
}

// The problem set: its lines (the one in-memory copy of the file, which the
// editor edits), the unit and problem tables read from them, and where the
// pupil is in it. Made once by main; a test makes its own.
struct ProblemSet {
    std::vector<std::string> lines;
    std::array<std::string, UnitRows> UnitNames{};
    std::array<std::array<std::string, ProblemColumns>, UnitRows> ProblemTexts{};
    std::array<std::int32_t, UnitRows> problemCounts{};
    std::int32_t unitCount = 0;
    std::string problemSetPath;  // the file last loaded or saved
    std::string startFolder;     // the current folder at start-up, with '/' appended
    bool problemSetSaved = true; // the lines hold no unsaved edits
    std::int32_t currentUnit = 1;
    std::array<std::int32_t, UnitRows> problemNumbers = filledRows<std::int32_t>(1); // by unit
};

// The main window implements this by closing itself, as its 終了 entry does.
class ProgramEnd {
  public:
    virtual ~ProgramEnd() = default;
    virtual void endProgram() = 0;
};

// The process's current folder with '/' appended, for `startFolder`; empty
// when it cannot be found out.
std::string currentFolder();

// `path` from the current folder, when it is relative; unchanged when the
// current folder cannot be found out.
std::string absolutePath(const std::string& path);

// Why a file could not become the problem set's lines.
enum class SetFileFault { None, Missing, Unreadable, Folder, NotAFile, TooLarge, NotShiftJis, LineTooLong };

struct SetFileReading {
    SetFileFault fault = SetFileFault::None;
    std::size_t line = 0; // with LineTooLong: its number, from 1
};

// Reads the file at `path` into the lines and makes its absolute path
// `problemSetPath`. Only a regular file of code page 932 text with lines of
// at most MaxLineBytes is taken, so that nothing is ever re-encoded; a file
// that is refused leaves no lines.
SetFileReading readProblemSetFile(ProblemSet& set, const std::string& path);

// The message for a file that was refused, naming it.
std::string setFileMessage(std::string_view path, const SetFileReading& reading);

// What keeps lines from being a set of units.
enum class SetFault {
    None,
    NoLines,
    OutsideUnit,   // a problem line before the first "<<" or after a ">>"
    UnitNotClosed, // "<<" while a unit is open, or the text ends inside one
    UnitWithoutProblem,
    TooManyProblems, // a sixth problem line
    TooManyUnits,    // a seventeenth "<<"
    LineTooLong,
    SameTitles,        // two titles the record file cannot tell apart
    ControlCharacter,  // a NUL or another control byte but tab: unseen in the editor
    EmptyLine,         // outside a unit; inside one it is a problem that does not load
    BlankAfterClosing, // ">>" with blanks after it, where it was meant to close the unit
};

struct SetReading {
    SetFault fault = SetFault::None;
    std::size_t line = 0;      // the offending line's index
    std::size_t otherLine = 0; // the "<<" line of SameTitles' first unit, of TooManyProblems' unit
    int unit = 0;              // with SameTitles: the second unit's number
    int otherUnit = 0;         // and the first's
};

// The unit structure of the lines, without building anything. A unit left
// open, or with a sixth problem, is named at a ">>" with blanks after it
// when it has one.
SetReading readUnitStructure(const std::vector<std::string>& lines);

// What keeps a line from being a problem before it is parsed: an empty line,
// or ">>" with blanks after it; None otherwise.
SetFault problemLineFault(std::string_view line);

// "12行目：単元が「>>」で閉じていません": what is wrong, in the words of the
// editor's check; opening a file puts its path in front.
std::string setFaultMessage(const SetReading& reading, const std::vector<std::string>& lines);

// Builds the unit and problem tables from the lines when they form a valid
// set of 1 to 16 units, each "<<title", one to five problem lines and ">>",
// with titles the record file can tell apart; otherwise says what keeps
// them from it. A set that fails leaves the tables as they were; one that is
// read replaces them whole.
SetReading readProblemSet(ProblemSet& set);

// The problems of a read set that do not load, tried on a copy.
struct ProblemTrial {
    std::size_t problems = 0;               // in the whole set
    std::vector<std::size_t> unusableLines; // the indices of the lines of those that do not load
};
ProblemTrial tryEveryProblem(const ProblemSet& set);

// "2問は使えません：8行目、12行目": the problems a pupil would find broken.
std::string unusableProblemsMessage(const ProblemTrial& trial);

// The start of a line as a message shows it: whole characters, at most
// ShownLineBytes, "..." when cut.
std::string shownLine(std::string_view line);

// The number of the current unit's current problem; 0 when the unit is
// outside the tables.
int currentProblemNumber(const ProblemSet& set);

// The unit whose title is `titleUtf8`, from 1; 0 for none, also for a title
// that code page 932 cannot write, which no set holds.
int unitTitled(const ProblemSet& set, std::string_view titleUtf8);

// "2 (3)次の連立方程式を解きなさい": the heading of a problem, on the page and
// on paper.
std::string problemTitle(int unit, int problem);

// Splits a problem line at its first ';'; both texts are "?" without one.
RenExt splitProblem(std::string_view line);

// Parses problem `problem` of unit `unit` into equations 1 and 2 of the
// table, resetting the unknown letters and counters. `invalid` is false when both
// parsed and together hold a letter. An empty line, or ">>" with blanks after
// it, is named at its line as setFaultMessage names it. The caller enables the equation buttons
// (up to `equationCount`) and draws.
RenExt loadProblem(const ProblemSet& set, Algebra& algebra, int unit, int problem, Messages& messages);

// Writes the lines to `path`, each with CR LF, replacing any file there only
// when the whole text was written. A failure names the file and why in a
// message and leaves the old file; the result is then false.
bool writeProblemSetFile(const ProblemSet& set, Messages& messages, const std::string& path);

} // namespace tavolini
