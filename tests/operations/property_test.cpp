// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Random problems with a known answer, worked on by random commands. An
// evaluator of our own reads every token list exactly; every accepted step
// must still hold at the problem's solution, every refused one must leave
// the table as it was, and the judge may call an equation an answer only
// when it is the answer.
#include "core/cp932.h"
#include "core/equation_labels.h"
#include "core/operand.h"
#include "core/parser.h"
#include "core/token_kinds.h"
#include "operations/executor.h"
#include "practice/judge.h"
#include "support/exact_fraction.h"
#include "support/parse_quietly.h"
#include "support/scripted_dialogs.h"
#include "support/token_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tavolini {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif

// Commands per run: enough to reach the rare roads, fewer under the
// sanitizers, which make every step many times slower.
constexpr int CommandBudget = Sanitized ? 40000 : 300000;

Exact exact(long long num, long long den = 1) {
    return *normalised(num, den);
}
Exact exact(ShikiToken t) {
    return *normalised(t.num, t.den);
}

std::string exactText(const MaybeExact& v) {
    if (!v) return "(too large)";
    const auto text = [](Wide w) { return std::to_string(static_cast<long long>(w)); };
    return v->den == 1 ? text(v->num) : text(v->num) + "/" + text(v->den);
}

// Values of the two letters.
struct Point {
    std::array<char, 2> letters{};
    std::array<Exact, 2> values{};
};

// Left side minus right side at the point. A number written right before an
// opening bracket is the factor of that group; groups nest. For equations
// that malformation() has passed.
MaybeExact residual(const MShiki& equation, const Point& point) {
    struct Open {
        MaybeExact outerSum;
        Exact factor;
    };
    std::array<Open, MaxTokens> open{};
    int depth = 0;
    MaybeExact sum = Exact{};
    MaybeExact left;
    for (int i = 0; i < equation.count; ++i) {
        const ShikiToken t = tokenAt(equation, i);
        const bool factor = i + 1 < equation.count && isGroupOpening(tokenAt(equation, i + 1).kind);
        if (isNumberKind(t.kind) && factor) continue; // taken up by its bracket
        if (isGroupOpening(t.kind)) {
            const bool written = i > 0 && isNumberKind(tokenAt(equation, i - 1).kind);
            open[static_cast<std::size_t>(depth++)] = {sum,
                                                       written ? exact(tokenAt(equation, i - 1)) : exact(1)};
            sum = Exact{};
        } else if (isGroupClosing(t.kind)) {
            const Open& outer = open[static_cast<std::size_t>(--depth)];
            sum = outer.outerSum + sum * outer.factor;
        } else if (t.kind == '=') {
            left = sum;
            sum = Exact{};
        } else if (isNumberKind(t.kind)) {
            sum = sum + exact(t);
        } else if (isLetter(t.kind)) {
            const int k = t.kind == point.letters[0] ? 0 : 1;
            sum = sum + exact(t) * point.values[static_cast<std::size_t>(k)];
        }
    }
    return left - sum;
}

// An equation as  first·u1 + second·u2 + constant = 0, read through the evaluator.
struct Form {
    MaybeExact first;
    MaybeExact second;
    MaybeExact constant;
};

Form formOf(const MShiki& equation, std::array<char, 2> letters) {
    const MaybeExact origin = residual(equation, {letters, {exact(0), exact(0)}});
    return {residual(equation, {letters, {exact(1), exact(0)}}) - origin,
            residual(equation, {letters, {exact(0), exact(1)}}) - origin, origin};
}

bool isZero(const MaybeExact& v) {
    return v && v->num == 0;
}

// Why the token list is not one well-formed equation over the two letters,
// or nothing when it is: at most 40 tokens, positive denominators, a zero
// number or term written 0/1, one '=' between two non-empty sides outside
// every group, groups closed, and every group opened right after its factor.
std::optional<std::string> malformation(const MShiki& e, std::array<char, 2> letters) {
    if (e.count < 3 || e.count > MaxTokens) return "token count " + std::to_string(e.count);
    int depth = 0;
    int equalsAt = -1;
    for (int i = 0; i < e.count; ++i) {
        const ShikiToken t = tokenAt(e, i);
        if (t.den <= 0) return "denominator " + std::to_string(t.den) + " at " + std::to_string(i);
        if (t.num == 0 && t.den != 1 && (isNumberKind(t.kind) || isLetter(t.kind)))
            return "zero written 0/" + std::to_string(t.den) + " at " + std::to_string(i);
        if (isGroupOpening(t.kind)) {
            if (i == 0 || !isNumberKind(tokenAt(e, i - 1).kind))
                return "group without its factor at " + std::to_string(i);
            ++depth;
        } else if (isGroupClosing(t.kind)) {
            if (--depth < 0) return "unopened bracket at " + std::to_string(i);
        } else if (t.kind == '=') {
            if (equalsAt >= 0 || depth != 0) return "misplaced '=' at " + std::to_string(i);
            equalsAt = i;
        } else if (!isNumberKind(t.kind) && t.kind != letters[0] && t.kind != letters[1]) {
            return std::string("unexpected kind '") + t.kind + "' at " + std::to_string(i);
        }
    }
    if (depth != 0) return std::string("bracket left open");
    if (equalsAt <= 0 || equalsAt >= e.count - 1) return std::string("a side is empty");
    return std::nullopt;
}

using Random = std::mt19937;

int pick(Random& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}
bool chance(Random& random, int percent) {
    return pick(random, 1, 100) <= percent;
}
template <typename T, std::size_t N> const T& pickFrom(Random& random, const T (&items)[N]) {
    return items[static_cast<std::size_t>(pick(random, 0, static_cast<int>(N) - 1))];
}

// A piece of one side of a written equation: a term of a letter, a number,
// or a bracket group under a factor.
struct Piece {
    Exact value; // the coefficient, the number, or the group's factor
    char letter = 0;
    std::vector<Piece> inside;
    char opening = '(';
    char closing = ')';
};

char closingOf(char opening) {
    return opening == '(' ? ')' : opening == '[' ? ']' : '}';
}

std::string digits(Wide v) {
    return std::to_string(static_cast<long long>(v));
}

// A positive value as a pupil's book might write it: 3, 0.75, 7/2 or 7|2.
// Nothing when the parser would not take it (more than five digits).
std::optional<std::string> numberText(Random& random, Exact v) {
    if (v.num >= 100000 || v.den >= 100000) return std::nullopt;
    if (v.den == 1) return digits(v.num);
    Wide power = 1;
    int places = 0;
    while (power % v.den != 0 && places < 4) {
        power *= 10;
        ++places;
    }
    if (power % v.den == 0 && chance(random, 50)) {
        const Wide scaled = v.num * (power / v.den);
        std::string fraction = digits(scaled % power);
        fraction.insert(0, static_cast<std::size_t>(places) - fraction.size(), '0');
        const std::string integer = digits(scaled / power);
        if (integer.size() + fraction.size() <= 5) return integer + "." + fraction;
    }
    return digits(v.num) + (chance(random, 75) ? "/" : "|") + digits(v.den);
}

bool appendPiece(Random& random, std::string& out, const Piece& piece, bool first) {
    const Exact size{magnitude(piece.value.num), piece.value.den};
    out += piece.value.num < 0 ? "-" : first ? "" : "+";
    // A coefficient or factor of 1 mostly goes unwritten: "x", "-(x+1)".
    const bool bareOne =
        size == exact(1) && (piece.letter != 0 || !piece.inside.empty()) && !chance(random, 15);
    if (!bareOne) {
        const std::optional<std::string> text = numberText(random, size);
        if (!text) return false;
        out += *text;
    }
    if (piece.inside.empty()) {
        if (piece.letter != 0) out += piece.letter;
        return true;
    }
    out += piece.opening;
    for (std::size_t k = 0; k < piece.inside.size(); ++k)
        if (!appendPiece(random, out, piece.inside[k], k == 0)) return false;
    out += piece.closing;
    return true;
}

// Wraps a run of the pieces in a group under a factor; the pieces inside are
// divided by it, so the side keeps its value.
void wrapRun(Random& random, std::vector<Piece>& pieces, char opening) {
    static const Exact factors[] = {exact(2),    exact(3), exact(-1), exact(-2), exact(1, 2),
                                    exact(1, 3), exact(1), exact(4),  exact(-3), exact(3, 2)};
    const int size = static_cast<int>(pieces.size());
    const int from = pick(random, 0, size - 1);
    const int to = pick(random, from + 1, size);
    Piece group;
    group.value = pickFrom(random, factors);
    group.opening = opening;
    group.closing = closingOf(opening);
    for (int k = from; k < to; ++k) {
        Piece inner = pieces[static_cast<std::size_t>(k)];
        inner.value = *(MaybeExact(inner.value) / group.value); // a nested group: its factor
        group.inside.push_back(inner);
    }
    pieces.erase(pieces.begin() + from, pieces.begin() + to);
    pieces.insert(pieces.begin() + from, group);
}

// A text of the equation  first·u1 + second·u2 + constant = 0  (or of a
// multiple of it), in one of three styles: plain (letters left, number
// right), solved for one letter ("y=2x-1", ready for substitution), or free:
// terms split and spread over both sides, in any order, some in groups, some
// groups nested. Nothing when it came out too long.
std::optional<std::string> writeEquation(Random& random, Form form, std::array<char, 2> letters) {
    static const Exact scales[] = {exact(1),  exact(1),    exact(1), exact(2),
                                   exact(-1), exact(1, 2), exact(3), exact(-2, 3)};
    const int manner = pick(random, 1, 100);
    const bool plain = manner <= 25;
    int solvedFor = -1; // the letter alone on the left
    if (manner > 25 && manner <= 45)
        solvedFor = isZero(form.second) ? 0 : isZero(form.first) ? 1 : pick(random, 0, 1);
    const bool free = !plain && solvedFor < 0;
    const MaybeExact scale = solvedFor == 0   ? exact(1) / form.first
                             : solvedFor == 1 ? exact(1) / form.second
                             : free           ? pickFrom(random, scales)
                                              : exact(1);
    std::vector<Piece> terms;
    const MaybeExact values[] = {form.first * scale, form.second * scale, form.constant * scale};
    for (int k = 0; k < 3; ++k) {
        const Exact v = *values[k];
        if (v.num == 0) continue;
        const char letter = k < 2 ? letters[static_cast<std::size_t>(k)] : 0;
        if (free && chance(random, 25)) {
            const Exact part = exact(pick(random, 1, 5) * (chance(random, 50) ? 1 : -1));
            const Exact rest = *(MaybeExact(v) - part);
            if (rest.num != 0) {
                terms.push_back({part, letter, {}, '('});
                terms.push_back({rest, letter, {}, '('});
                continue;
            }
        }
        terms.push_back({v, letter, {}, '('});
    }
    std::array<std::vector<Piece>, 2> sides;
    for (Piece& term : terms) {
        const bool alone = solvedFor >= 0 && term.letter == letters[static_cast<std::size_t>(solvedFor)];
        const bool right = free ? chance(random, 40) : plain ? term.letter == 0 : !alone;
        if (right) term.value = *(MaybeExact(exact(0)) - term.value);
        sides[right ? 1 : 0].push_back(term);
    }
    for (std::vector<Piece>& side : sides) {
        if (side.empty()) side.push_back({exact(0), 0, {}, '('});
        if (plain) continue;
        if (free) std::shuffle(side.begin(), side.end(), random);
        if (solvedFor >= 0) {
            if (&side == &sides[1] && chance(random, 30)) wrapRun(random, side, '(');
        } else if (chance(random, 45)) {
            wrapRun(random, side, chance(random, 50) ? '[' : '{');
            for (Piece& piece : side)
                if (!piece.inside.empty() && chance(random, 40)) wrapRun(random, piece.inside, '(');
        } else if (chance(random, 30)) {
            wrapRun(random, side, '(');
        }
    }
    std::string text;
    for (int s = 0; s < 2; ++s) {
        if (s == 1) text += '=';
        const std::vector<Piece>& side = sides[static_cast<std::size_t>(s)];
        for (std::size_t k = 0; k < side.size(); ++k)
            if (!appendPiece(random, text, side[k], k == 0)) return std::nullopt;
    }
    if (text.size() > MaxEquationTextBytes) return std::nullopt;
    return text;
}

enum class SystemKind { Unique, Dependent, Inconsistent };

const char* kindName(SystemKind kind) {
    return kind == SystemKind::Unique      ? "one solution"
           : kind == SystemKind::Dependent ? "infinitely many"
                                           : "no solution";
}

struct Problem {
    SystemKind kind = SystemKind::Unique;
    std::array<char, 2> letters{}; // letters[0] < letters[1]: unknown1, unknown2
    Point solution;                // the solution, or one of them
    Point another;                 // a second solution when there are infinitely many
    std::string first;
    std::string second;
};

Exact smallValue(Random& random) {
    static const int denominators[] = {1, 1, 1, 1, 2, 3, 4, 5};
    return exact(pick(random, -6, 6), pickFrom(random, denominators));
}

Exact nonZeroCoefficient(Random& random) {
    const int v = pick(random, 1, 6);
    return exact(chance(random, 50) ? v : -v);
}

// Two forms through the solution (or not, for the systems without one), written as texts.
std::optional<Problem> makeProblem(Random& random) {
    static const std::array<char, 2> letterPairs[] = {{'x', 'y'}, {'x', 'y'}, {'x', 'y'}, {'a', 'b'}};
    Problem p;
    const int kind = pick(random, 1, 10);
    p.kind = kind <= 7 ? SystemKind::Unique : kind <= 9 ? SystemKind::Dependent : SystemKind::Inconsistent;
    p.letters = pickFrom(random, letterPairs);
    p.solution = {p.letters, {smallValue(random), smallValue(random)}};
    const auto through = [&](Exact a, Exact b) {
        const MaybeExact c =
            exact(0) - (MaybeExact(a) * p.solution.values[0] + MaybeExact(b) * p.solution.values[1]);
        return Form{a, b, c};
    };
    Form first;
    Form second;
    if (p.kind == SystemKind::Unique) {
        Exact a1, b1, a2, b2;
        do {
            a1 = exact(pick(random, -6, 6));
            b1 = exact(pick(random, -6, 6));
            a2 = exact(pick(random, -6, 6));
            b2 = exact(pick(random, -6, 6));
        } while (isZero(MaybeExact(a1) * b2 - MaybeExact(a2) * b1));
        first = through(a1, b1);
        second = through(a2, b2);
    } else {
        static const Exact multiples[] = {exact(1), exact(2), exact(-1), exact(3), exact(1, 2), exact(-2, 3)};
        const Exact k = pickFrom(random, multiples);
        first = through(nonZeroCoefficient(random), nonZeroCoefficient(random));
        second = {first.first * k, first.second * k, first.constant * k};
        if (p.kind == SystemKind::Inconsistent)
            second.constant = second.constant + nonZeroCoefficient(random);
        // A second solution on the same line: one more of the first letter.
        const Exact x1 = *(MaybeExact(p.solution.values[0]) + exact(1));
        const MaybeExact y1 = exact(0) - (first.first * x1 + first.constant) / first.second;
        p.another = {p.letters, {x1, *y1}};
    }
    const std::optional<std::string> t1 = writeEquation(random, first, p.letters);
    const std::optional<std::string> t2 = writeEquation(random, second, p.letters);
    if (!t1 || !t2) return std::nullopt;
    p.first = *t1;
    p.second = *t2;
    return p;
}

// The operations as the tally counts them.
enum class Road {
    Brackets,
    Transpose,
    Simplify,
    Multiply,
    Divide,
    AddEquations,
    SubtractEquations,
    AddNumber,
    SubtractNumber,
    Substitute,
    NoOperation,
    Count
};

constexpr const char* RoadNames[] = {"かっこ K",    "移項 I",           "整理 S",           "× *",
                                     "÷ /",         "＋ two equations", "－ two equations", "＋ a number",
                                     "－ a number", "代入 ^",           "no operation"};

Road roadOf(const CommandState& c) {
    const bool equationLast = c.lastEntry == EquationEntered;
    if (!c.operation) return Road::NoOperation;
    switch (*c.operation) {
    case Operation::Brackets:
        return Road::Brackets;
    case Operation::Transpose:
        return Road::Transpose;
    case Operation::Simplify:
        return Road::Simplify;
    case Operation::Multiply:
        return Road::Multiply;
    case Operation::Divide:
        return Road::Divide;
    case Operation::Add:
        return equationLast ? Road::AddEquations : Road::AddNumber;
    case Operation::Subtract:
        return equationLast ? Road::SubtractEquations : Road::SubtractNumber;
    case Operation::Substitute:
        return Road::Substitute;
    }
    return Road::NoOperation;
}

struct Tally {
    std::array<long, static_cast<std::size_t>(Road::Count)> accepted{};
    std::array<long, static_cast<std::size_t>(Road::Count)> refused{};
    long commands = 0;
    long problems = 0;
    long unevaluable = 0; // values beyond the reference's 62 bits
    long firstFound = 0;
    long secondFound = 0;
    long solved = 0;
    long identities = 0;
    long contradictions = 0;
};

bool sameSlot(const MShiki& a, const MShiki& b) {
    if (a.count != b.count || a.origin != b.origin || a.stepText != b.stepText) return false;
    for (int i = 0; i < a.count && i < MaxTokens; ++i)
        if (!(tokenAt(a, i) == tokenAt(b, i))) return false;
    return true;
}

std::string slotText(const MShiki& e) {
    return "[" + tokensText(e) + "] origin " + std::to_string(e.origin) + " \"" + utf8FromCp932(e.stepText) +
           "\"";
}

std::string commandText(const CommandState& c) {
    return std::string(1, c.operation ? operationRow(*c.operation).code : '?') + " first " +
           std::to_string(c.firstEquation) + " second " + std::to_string(c.secondEquation) + " lastEntry " +
           std::to_string(c.lastEntry) + " operand \"" + utf8FromCp932(c.pnlNumber) + "\"";
}

const char* const OperandTexts[] = {"",       "-",     "0",       "3",     "-2", "0.5", "3分の2",
                                    "1.2.3",  "99999", "9999",    "2",     "-1", "4",   "1.5",
                                    "2分の1", "5",     "-3分の1", "-0.25", "6"};

// One random problem worked on by random commands, checked after each one.
class Session {
  public:
    Session(Random& random, Tally& tally) : m_random(random), m_tally(tally) {}

    // Loads the problem as the program does; false (with a failure) when
    // its texts do not read back as the equations that were written.
    bool load(const Problem& problem) {
        m_problem = problem;
        m_algebra.EquationTable = {};
        m_algebra.unknown1 = '?';
        m_algebra.unknown2 = '?';
        const bool ok = parseQuietly(m_algebra, m_algebra.EquationTable[1], problem.first) &&
                        parseQuietly(m_algebra, m_algebra.EquationTable[2], problem.second);
        if (!ok)
            return fail("the problem does not parse: error " +
                        std::to_string(static_cast<int>(m_algebra.parseError)));
        if (m_algebra.unknown1 != problem.letters[0] || m_algebra.unknown2 != problem.letters[1])
            return fail("the parser found the letters " +
                        std::string{m_algebra.unknown1, m_algebra.unknown2});
        m_algebra.EquationTable[1].origin = 1;
        m_algebra.EquationTable[2].origin = 2;
        m_algebra.equationCount = 2;
        m_algebra.originCounter = 2;
        m_problemSlots = {m_algebra.EquationTable[1], m_algebra.EquationTable[2]};
        m_answers = {};
        m_history.clear();
        if (malformation(m_algebra.EquationTable[1], problem.letters)) return fail("equation 1 is malformed");
        m_firstForm = formOf(m_algebra.EquationTable[1], problem.letters);
        for (int n = 1; n <= 2; ++n)
            if (!checkEquation(n) || !checkVerdict(n)) return fail("the problem as written is wrong");
        return true;
    }

    // Runs commands until the table is full or the budget is spent; false
    // when a check failed.
    bool work(int commands) {
        for (int k = 0; k < commands && m_algebra.equationCount < EquationLabelCount - 1; ++k)
            if (!step(randomCommand())) return false;
        return true;
    }

  private:
    bool fail(const std::string& what) {
        std::string report = "\n" + what + "\nproblem (" + kindName(m_problem.kind) +
                             "): " + m_problem.first + " ; " + m_problem.second + "\ncommands:";
        for (const std::string& line : m_history)
            report += "\n  " + line;
        report += "\ntable:";
        for (int n = 1; n <= std::min(m_algebra.equationCount + 1, EquationSlots - 1); ++n)
            report += "\n  " + std::to_string(n) + ": " +
                      slotText(m_algebra.EquationTable[static_cast<std::size_t>(n)]);
        ADD_FAILURE() << report;
        return false;
    }

    int randomEquation() {
        const int count = m_algebra.equationCount;
        if (chance(m_random, 6)) {
            const int invalid[] = {0, -1, count + 1, 33, 40};
            return pickFrom(m_random, invalid);
        }
        if (chance(m_random, 50)) return std::max(1, count - pick(m_random, 0, 2));
        return pick(m_random, 1, count);
    }

    std::string randomOperand() { return cp932(pickFrom(m_random, OperandTexts)); }

    bool hasGroup(const MShiki& e) const {
        for (int i = 0; i < e.count; ++i)
            if (isGroupOpening(tokenAt(e, i).kind)) return true;
        return false;
    }

    // The number that divides "ax = c" down to "x = c", as the pad would show it.
    static std::string operandFor(ShikiToken coefficient) {
        const std::string sign = coefficient.num < 0 ? "-" : "";
        const std::string numerator =
            std::to_string(coefficient.num < 0 ? -coefficient.num : coefficient.num);
        if (coefficient.den == 1) return sign + numerator;
        return sign + std::to_string(coefficient.den) + cp932("分の") + numerator;
    }

    // What a pupil on the way to the answer would press: remove brackets,
    // divide out a lone coefficient, substitute, combine.
    CommandState guidedCommand() {
        CommandState c;
        c.firstEquation = pick(m_random, 1, m_algebra.equationCount);
        c.secondEquation = pick(m_random, 1, m_algebra.equationCount);
        const MShiki& e = m_algebra.EquationTable[static_cast<std::size_t>(c.firstEquation)];
        const ShikiToken head = tokenAt(e, 0);
        if (hasGroup(e)) {
            c.operation = Operation::Brackets;
            c.lastEntry = OperationEntered;
        } else if (e.count == 3 && isLetter(head.kind) && !(head.num == 1 && head.den == 1) &&
                   head.num != 0) {
            c.operation = Operation::Divide;
            c.lastEntry = NumberEntered;
            c.pnlNumber = operandFor(head);
        } else if (isLetter(head.kind) && head.num == 1 && head.den == 1 && tokenAt(e, 1).kind == '=') {
            c.operation = Operation::Substitute;
            c.lastEntry = EquationEntered;
        } else {
            static const Operation operations[] = {Operation::Transpose, Operation::Simplify, Operation::Add,
                                                   Operation::Subtract, Operation::Multiply};
            const Operation operation = pickFrom(m_random, operations);
            const OperationRow& row = operationRow(operation);
            c.operation = operation;
            c.lastEntry = row.takesEquation ? EquationEntered
                          : row.takesNumber ? NumberEntered
                                            : OperationEntered;
            if (operation == Operation::Multiply) c.pnlNumber = randomOperand();
        }
        return c;
    }

    // The pad's text for a multiplier, or nothing when it needs more than four digits.
    static std::optional<std::string> operandFor(const Exact& v) {
        if (v.num == 0 || magnitude(v.num) > 9999 || v.den > 9999) return std::nullopt;
        const std::string sign = v.num < 0 ? "-" : "";
        if (v.den == 1) return sign + digits(magnitude(v.num));
        return sign + digits(v.den) + cp932("分の") + digits(magnitude(v.num));
    }

    // Plans the three steps that eliminate a letter from two equations of
    // different families: each multiplied by the other's coefficient, then
    // one taken from the other.
    void planElimination() {
        const int count = m_algebra.equationCount;
        const int e1 = pick(m_random, 1, count);
        const int e2 = pick(m_random, 1, count);
        const MShiki& a = m_algebra.EquationTable[static_cast<std::size_t>(e1)];
        const MShiki& b = m_algebra.EquationTable[static_cast<std::size_t>(e2)];
        if (a.origin == b.origin || hasGroup(a) || hasGroup(b)) return;
        const bool onFirst = chance(m_random, 50);
        const MaybeExact ca =
            onFirst ? formOf(a, m_problem.letters).first : formOf(a, m_problem.letters).second;
        const MaybeExact cb =
            onFirst ? formOf(b, m_problem.letters).first : formOf(b, m_problem.letters).second;
        if (!ca || !cb) return;
        const std::optional<std::string> byB = operandFor(*cb);
        const std::optional<std::string> byA = operandFor(*ca);
        if (!byA || !byB) return;
        CommandState scaleA{Operation::Multiply, e1, 0, NumberEntered, ComposeStep::Nothing, *byB, {}, 0};
        CommandState scaleB{Operation::Multiply, e2, 0, NumberEntered, ComposeStep::Nothing, *byA, {}, 0};
        CommandState difference{Operation::Subtract, 0, 0, EquationEntered, ComposeStep::Nothing, {}, {}, 0};
        m_plan = {{scaleA, -1, -1}, {scaleB, -1, -1}, {difference, 1, 0}};
    }

    CommandState plannedCommand() {
        Planned next = m_plan.front();
        m_plan.erase(m_plan.begin());
        if (next.firstBack >= 0) next.command.firstEquation = m_algebra.equationCount - next.firstBack;
        if (next.secondBack >= 0) next.command.secondEquation = m_algebra.equationCount - next.secondBack;
        return next.command;
    }

    CommandState randomCommand() {
        if (!m_plan.empty()) return plannedCommand();
        if (chance(m_random, 10)) planElimination();
        if (!m_plan.empty()) return plannedCommand();
        if (chance(m_random, 40)) return guidedCommand();
        using enum Operation;
        static const std::optional<Operation> choices[] = {
            Multiply, Divide, Add,      Subtract,   Substitute, Transpose, Simplify, Brackets,    Multiply,
            Divide,   Add,    Subtract, Substitute, Transpose,  Simplify,  Brackets, std::nullopt};
        CommandState c;
        c.operation = pickFrom(m_random, choices);
        c.firstEquation = randomEquation();
        const OperationRow* row = c.operation ? &operationRow(*c.operation) : nullptr;
        const bool number = row && row->takesNumber && (!row->takesEquation || chance(m_random, 50));
        const bool two = row && row->takesEquation && !number;
        c.lastEntry = number ? NumberEntered : two ? EquationEntered : OperationEntered;
        if (two) c.secondEquation = randomEquation();
        if (chance(m_random, 8)) c.lastEntry = pick(m_random, 0, 3); // a panel out of step
        if (chance(m_random, 8)) c.secondEquation = randomEquation();
        if (number || chance(m_random, 5)) c.pnlNumber = randomOperand();
        return c;
    }

    // Messages that reading the operand shows by itself.
    std::size_t operandMessages(const std::string& text) {
        Messages reported;
        parseOperand(reported, text);
        return reported.size();
    }

    bool step(CommandState command) {
        ++m_tally.commands;
        const Road road = roadOf(command);
        const std::string asked = commandText(command);
        const std::size_t ownMessages = operandMessages(command.pnlNumber);
        m_dialogs.shown.clear();

        const std::array<MShiki, EquationSlots> before = m_algebra.EquationTable;
        const int countBefore = m_algebra.equationCount;
        const int originsBefore = m_algebra.originCounter;
        const int first = command.firstEquation;

        Messages reported;
        const std::optional<int> written = executeOperation(m_algebra, command, reported);
        const bool accepted = written.has_value();
        showMessages(m_dialogs, reported);
        m_history.push_back(asked + (accepted ? "  -> accepted" : "  -> refused"));

        if (!command.pnlNumber.empty() || command.composeStep != ComposeStep::Nothing)
            return fail("the panel was not reset");
        if (m_algebra.equationCount != countBefore + (accepted ? 1 : 0) ||
            (accepted && *written != countBefore + 1))
            return fail("the newest equation is not the one written");
        const std::size_t messages = m_dialogs.shown.size() - std::min(ownMessages, m_dialogs.shown.size());
        if (!accepted) {
            ++m_tally.refused[static_cast<std::size_t>(road)];
            if (m_algebra.originCounter != originsBefore) return fail("a refused step used up an origin");
            for (int n = 0; n < EquationSlots; ++n)
                if (!sameSlot(before[static_cast<std::size_t>(n)],
                              m_algebra.EquationTable[static_cast<std::size_t>(n)]))
                    return fail("a refused step changed slot " + std::to_string(n) + ": " +
                                slotText(m_algebra.EquationTable[static_cast<std::size_t>(n)]));
            if (ownMessages != 0 && messages != 0) return fail("a refused operand was told twice");
            if (ownMessages == 0 && messages == 0) return fail("a refused step showed no message");
            m_plan.clear();
            return problemUnchanged();
        }

        ++m_tally.accepted[static_cast<std::size_t>(road)];
        const int n = m_algebra.equationCount;
        const MShiki& made = m_algebra.EquationTable[static_cast<std::size_t>(n)];
        for (int k = 0; k < EquationSlots; ++k)
            if (k != n && !sameSlot(before[static_cast<std::size_t>(k)],
                                    m_algebra.EquationTable[static_cast<std::size_t>(k)]))
                return fail("an accepted step changed slot " + std::to_string(k));
        if (command.firstEquation != 0) return fail("firstEquation was not reset");
        if (made.stepText.empty()) return fail("the step sentence was not stored");
        const bool two =
            road == Road::AddEquations || road == Road::SubtractEquations || road == Road::Substitute;
        const int origin = two ? originsBefore + 1 : before[static_cast<std::size_t>(first)].origin;
        if (made.origin != origin || m_algebra.originCounter != (two ? originsBefore + 1 : originsBefore))
            return fail("wrong origin " + std::to_string(made.origin));
        const bool transposeNote = road == Road::Transpose && messages == 1;
        if (messages != 0 && !transposeNote)
            return fail("an accepted step showed " + m_dialogs.shown.front());
        return problemUnchanged() && checkEquation(n) && checkVerdict(n);
    }

    bool problemUnchanged() {
        for (int n = 1; n <= 2; ++n)
            if (!sameSlot(m_problemSlots[static_cast<std::size_t>(n - 1)],
                          m_algebra.EquationTable[static_cast<std::size_t>(n)]))
                return fail("equation " + std::to_string(n) + " of the problem changed");
        return true;
    }

    // Does the equation say something true of the problem? For one solution:
    // it holds there; for infinitely many: it holds at two of them; for none:
    // its letter part is a multiple of ①'s, as every combination of ① and ② is.
    bool checkEquation(int n) {
        const MShiki& e = m_algebra.EquationTable[static_cast<std::size_t>(n)];
        if (const std::optional<std::string> why = malformation(e, m_problem.letters))
            return fail("equation " + std::to_string(n) + " is malformed: " + *why);
        if (m_problem.kind == SystemKind::Inconsistent) {
            const Form f = formOf(e, m_problem.letters);
            const MaybeExact cross = f.first * m_firstForm.second - f.second * m_firstForm.first;
            if (!cross)
                ++m_tally.unevaluable;
            else if (cross->num != 0)
                return fail("equation " + std::to_string(n) + " is no combination of the problem");
            return true;
        }
        for (const Point* point : {&m_problem.solution, &m_problem.another}) {
            if (m_problem.kind == SystemKind::Unique && point == &m_problem.another) break;
            const MaybeExact r = residual(e, *point);
            if (!r)
                ++m_tally.unevaluable;
            else if (r->num != 0)
                return fail("equation " + std::to_string(n) + " does not hold at " + point->letters[0] + "=" +
                            exactText(point->values[0]) + ", " + point->letters[1] + "=" +
                            exactText(point->values[1]) + ": left minus right is " + exactText(r));
        }
        return true;
    }

    // The judge names an answer only when the equation reads "letter = its
    // value" and names an identity or a contradiction only when it is one.
    bool checkVerdict(int n) {
        const MShiki& e = m_algebra.EquationTable[static_cast<std::size_t>(n)];
        const Answers answersBefore = m_answers;
        const Verdict verdict = judgeEquation(m_algebra, m_answers, n);
        const auto names = [&](int k) {
            if (e.count != 3 || tokenAt(e, 1).kind != '=' || tokenAt(e, 2).kind != '/') return false;
            const ShikiToken head = tokenAt(e, 0);
            if (head.kind != m_problem.letters[static_cast<std::size_t>(k)] || head.num != 1 || head.den != 1)
                return false;
            return m_problem.kind != SystemKind::Unique ||
                   exact(tokenAt(e, 2)) == m_problem.solution.values[static_cast<std::size_t>(k)];
        };
        const Form f = formOf(e, m_problem.letters);
        const bool special = verdict == Verdict::Identity || verdict == Verdict::Contradiction;
        if (special && (!f.first || !f.second || !f.constant)) {
            ++m_tally.unevaluable;
            return true;
        }
        switch (verdict) {
        case Verdict::FirstFound:
        case Verdict::FirstAgain:
            if (!names(0))
                return fail("verdict " + std::to_string(static_cast<int>(verdict)) + " for equation " +
                            std::to_string(n));
            if ((verdict == Verdict::FirstFound) == answersBefore.answer1.has_value() || !m_answers.answer1)
                return fail("the first answer was recorded out of turn");
            m_tally.firstFound += verdict == Verdict::FirstFound;
            break;
        case Verdict::SecondFound:
        case Verdict::SecondAgain:
            if (!names(1))
                return fail("verdict " + std::to_string(static_cast<int>(verdict)) + " for equation " +
                            std::to_string(n));
            if ((verdict == Verdict::SecondFound) == answersBefore.answer2.has_value() || !m_answers.answer2)
                return fail("the second answer was recorded out of turn");
            m_tally.secondFound += verdict == Verdict::SecondFound;
            break;
        case Verdict::Identity:
            if (!isZero(f.first) || !isZero(f.second) || !isZero(f.constant))
                return fail("identity verdict for a non-identity");
            ++m_tally.identities;
            break;
        case Verdict::Contradiction:
            if (!isZero(f.first) || !isZero(f.second) || !f.constant || isZero(f.constant))
                return fail("contradiction verdict for a satisfiable equation");
            ++m_tally.contradictions;
            break;
        case Verdict::Ordinary:
            if (m_answers != answersBefore) return fail("an ordinary equation changed the answers");
            break;
        }
        if ((verdict == Verdict::FirstFound || verdict == Verdict::SecondFound) && isSolved(m_answers))
            ++m_tally.solved;
        return true;
    }

    Random& m_random;
    Tally& m_tally;
    ScriptedDialogs m_dialogs;
    Algebra m_algebra;
    Problem m_problem;
    std::array<MShiki, 2> m_problemSlots{};
    Answers m_answers;
    Form m_firstForm;
    std::vector<std::string> m_history;

    // Steps planned ahead; an equation they name is counted back from the
    // newest one when it is not known in advance.
    struct Planned {
        CommandState command;
        int firstBack = -1;
        int secondBack = -1;
    };
    std::vector<Planned> m_plan;
};

void printTally(const Tally& t) {
    std::printf("%ld commands on %ld problems; values beyond the reference: %ld\n", t.commands, t.problems,
                t.unevaluable);
    for (std::size_t r = 0; r < t.accepted.size(); ++r)
        std::printf("  %-22s accepted %7ld  refused %7ld\n", RoadNames[r], t.accepted[r], t.refused[r]);
    std::printf("  unknowns found: first %ld, second %ld; solved %ld; identities %ld; contradictions %ld\n",
                t.firstFound, t.secondFound, t.solved, t.identities, t.contradictions);
}

// Works on random problems until the budget of commands is spent or a few
// faults have been reported.
Tally workProblems(unsigned seed, int budget) {
    Random random(seed);
    Tally tally;
    int failures = 0;
    while (tally.commands < budget && failures < 5) {
        const std::optional<Problem> problem = makeProblem(random);
        if (!problem) continue;
        ++tally.problems;
        Session session(random, tally);
        if (!session.load(*problem) || !session.work(pick(random, 20, 80))) ++failures;
    }
    return tally;
}

TEST(OperationProperty, EveryStepHoldsAtTheSolutionAndEveryRefusalChangesNothing) {
    const Tally tally = workProblems(20261208, CommandBudget);
    printTally(tally);
    EXPECT_GE(tally.commands, CommandBudget);
    // An executor that refused everything would pass every check above.
    for (std::size_t r = 0; r < static_cast<std::size_t>(Road::NoOperation); ++r)
        EXPECT_GT(tally.accepted[r], CommandBudget / 200) << RoadNames[r];
    EXPECT_GT(tally.solved, 0);
}

} // namespace
} // namespace tavolini
