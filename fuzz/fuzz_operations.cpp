// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Two equation texts and a run of commands, all from the fuzzer's bytes:
//
//   first text '\n' second text '\n' then four bytes per command:
//   [operation] [first equation] [second equation] [operand]
//
// operation: low four bits modulo 9 pick a row of the operation table
// (* / + - ^ I S K) or, for 8, none; bit 0x40 makes ＋ and － take a number
// instead of an equation; bit 0x80 takes lastEntry from bits 4-5 instead of
// from the operation. An equation byte below 0x80
// names an existing equation (1 + byte modulo the count), from 0x80 up any
// number from -2. The operand byte picks one of the pad texts below. Only
// the first 64 commands are run.
//
// Aborts when a record holds more than 40 tokens, a refused step changes the
// table, an accepted one changes any equation but the new one, ① or ② change,
// or, for a problem with exactly one solution over its two letters, a new
// equation does not hold there or the judge calls a wrong value an answer.
#include "core/cp932.h"
#include "core/equation_labels.h"
#include "core/parser.h"
#include "core/token_kinds.h"
#include "operations/executor.h"
#include "practice/judge.h"
#include "support/exact_fraction.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace tavolini {
namespace {

MaybeExact valueOf(ShikiToken t) {
    return normalised(t.num, t.den);
}
const MaybeExact Zero = Exact{0, 1};
const MaybeExact One = Exact{1, 1};

struct Point {
    char letter1;
    char letter2;
    MaybeExact value1;
    MaybeExact value2;
};

// Left side minus right side at the point. A number right before an opening
// bracket is the factor of its group; '*' and the corner brackets carry no
// value. Only for equations that passed isReadable.
MaybeExact residual(const MShiki& e, const Point& p) {
    std::array<MaybeExact, MaxTokens> outerSums{};
    std::array<MaybeExact, MaxTokens> factors{};
    int depth = 0;
    MaybeExact sum = Zero;
    MaybeExact left = Zero;
    for (int i = 0; i < e.count; ++i) {
        const ShikiToken t = tokenAt(e, i);
        if (isNumberKind(t.kind) && i + 1 < e.count && isGroupOpening(tokenAt(e, i + 1).kind)) continue;
        if (isGroupOpening(t.kind)) {
            const bool written = i > 0 && isNumberKind(tokenAt(e, i - 1).kind);
            outerSums[static_cast<std::size_t>(depth)] = sum;
            factors[static_cast<std::size_t>(depth++)] = written ? valueOf(tokenAt(e, i - 1)) : One;
            sum = Zero;
        } else if (isGroupClosing(t.kind)) {
            --depth;
            sum = outerSums[static_cast<std::size_t>(depth)] + sum * factors[static_cast<std::size_t>(depth)];
        } else if (t.kind == '=') {
            left = sum;
            sum = Zero;
        } else if (isNumberKind(t.kind)) {
            sum = sum + valueOf(t);
        } else if (isLetter(t.kind)) {
            sum = sum + valueOf(t) * (t.kind == p.letter1 ? p.value1 : p.value2);
        }
    }
    return left - sum;
}

// One '=' outside the groups, groups closed each in its own shape and
// opened right after their factor, and no letter but the two: the
// equations the reference can read.
bool isReadable(const MShiki& e, char letter1, char letter2) {
    std::array<char, MaxTokens> open{};
    int depth = 0;
    int equalsSigns = 0;
    for (int i = 0; i < e.count; ++i) {
        const char kind = tokenAt(e, i).kind;
        if (isGroupOpening(kind)) {
            if (i == 0 || !isNumberKind(tokenAt(e, i - 1).kind)) return false;
            open[static_cast<std::size_t>(depth++)] = kind;
        } else if (isGroupClosing(kind)) {
            // A group closed with another shape goes unseen by the collecting
            // operations, a fault of its own (see the operations' property
            // test); its problems are left out of the holds check.
            if (depth == 0) return false;
            const char opening = open[static_cast<std::size_t>(--depth)];
            if (kind != (opening == '(' ? ')' : opening == '[' ? ']' : '}')) return false;
        } else if (kind == '=') {
            if (depth != 0) return false;
            ++equalsSigns;
        } else if (isLetter(kind) && kind != letter1 && kind != letter2) {
            return false;
        }
    }
    return depth == 0 && equalsSigns == 1;
}

// The one solution of the problem, when it has exactly one and the
// reference can read both equations.
std::optional<Point> solutionOf(const Algebra& algebra) {
    const MShiki& p = algebra.EquationTable[1];
    const MShiki& q = algebra.EquationTable[2];
    const char u1 = algebra.unknown1;
    const char u2 = algebra.unknown2;
    if (u1 == '?' || u2 == '?' || !isReadable(p, u1, u2) || !isReadable(q, u1, u2)) return std::nullopt;
    const auto form = [&](const MShiki& e) {
        const MaybeExact c = residual(e, {u1, u2, Zero, Zero});
        return std::array<MaybeExact, 3>{residual(e, {u1, u2, One, Zero}) - c,
                                         residual(e, {u1, u2, Zero, One}) - c, c};
    };
    const auto [a1, b1, c1] = form(p);
    const auto [a2, b2, c2] = form(q);
    const MaybeExact det = a1 * b2 - a2 * b1;
    if (!det || det->num == 0) return std::nullopt;
    const Point s{u1, u2, (b1 * c2 - b2 * c1) / det, (c1 * a2 - c2 * a1) / det};
    if (!s.value1 || !s.value2) return std::nullopt;
    return s;
}

bool sameSlot(const MShiki& a, const MShiki& b) {
    if (a.count != b.count || a.origin != b.origin || a.stepText != b.stepText) return false;
    for (int i = 0; i < a.count && i < MaxTokens; ++i)
        if (!(tokenAt(a, i) == tokenAt(b, i))) return false;
    return true;
}

void require(bool condition) {
    if (!condition) std::abort();
}

// What the number pad may show, in code page 932.
const std::array<std::string, 18>& operandTexts() {
    static const std::array<std::string, 18> texts = [] {
        constexpr const char* utf8[] = {"",  "-",  "0", "3",   "-2",     "0.5",  "3分の2",  "1.2.3", "99999",
                                        "2", "-1", "4", "1.5", "2分の1", "9999", "-3分の1", "1",     "7"};
        std::array<std::string, 18> converted;
        for (std::size_t i = 0; i < converted.size(); ++i)
            converted[i] = cp932(utf8[i]);
        return converted;
    }();
    return texts;
}

class Run {
  public:
    bool load(std::string_view first, std::string_view second) {
        m_algebra.unknown1 = '?';
        m_algebra.unknown2 = '?';
        Messages unshown;
        if (!parseEquation(m_algebra, m_algebra.EquationTable[1], first, unshown)) return false;
        if (!parseEquation(m_algebra, m_algebra.EquationTable[2], second, unshown)) return false;
        m_algebra.EquationTable[1].origin = 1;
        m_algebra.EquationTable[2].origin = 2;
        m_algebra.equationCount = 2;
        m_algebra.originCounter = 2;
        m_problem = {m_algebra.EquationTable[1], m_algebra.EquationTable[2]};
        m_solution = solutionOf(m_algebra);
        for (int n = 1; n <= 2; ++n)
            judge(n);
        return true;
    }

    bool full() const { return m_algebra.equationCount >= EquationLabelCount - 1; }

    void step(const std::uint8_t* bytes) {
        CommandState command = decode(bytes);
        m_before = m_algebra.EquationTable; // reuses the strings' storage
        const std::array<MShiki, EquationSlots>& before = m_before;
        const int originsBefore = m_algebra.originCounter;
        const int n = m_algebra.equationCount + 1;

        Messages unshown;
        const std::optional<int> written = executeOperation(m_algebra, command, unshown);
        const bool accepted = written.has_value();
        require(accepted ? written == n && m_algebra.equationCount == n : m_algebra.equationCount == n - 1);
        for (const MShiki& slot : m_algebra.EquationTable)
            require(slot.count >= 0 && slot.count <= MaxTokens);
        for (int k = 0; k < EquationSlots; ++k)
            if (k != n || !accepted)
                require(sameSlot(before[static_cast<std::size_t>(k)],
                                 m_algebra.EquationTable[static_cast<std::size_t>(k)]));
        require(sameSlot(m_problem[0], m_algebra.EquationTable[1]) &&
                sameSlot(m_problem[1], m_algebra.EquationTable[2]));
        if (!accepted) {
            require(m_algebra.originCounter == originsBefore);
            return;
        }
        const MShiki& made = m_algebra.EquationTable[static_cast<std::size_t>(n)];
        require(made.count >= 3);
        for (int i = 0; i < made.count; ++i)
            require(tokenAt(made, i).den > 0);
        if (m_solution) {
            require(isReadable(made, m_solution->letter1, m_solution->letter2));
            const MaybeExact r = residual(made, *m_solution);
            require(!r || r->num == 0);
        }
        judge(n);
    }

  private:
    int equationNumber(std::uint8_t byte) const {
        if (byte & 0x80) return (byte & 0x7F) - 2;
        return 1 + byte % m_algebra.equationCount;
    }

    CommandState decode(const std::uint8_t* bytes) {
        // One past the table's rows is no operation.
        const std::size_t k = (bytes[0] & 0x0F) % (Operations.size() + 1);
        CommandState c;
        bool twoEquations = false;
        bool number = false;
        if (k < Operations.size()) {
            const OperationRow& row = Operations[k];
            c.operation = row.operation;
            twoEquations = row.takesEquation && (!row.takesNumber || !(bytes[0] & 0x40));
            number = !twoEquations && row.takesNumber;
        }
        c.lastEntry = twoEquations ? EquationEntered : number ? NumberEntered : OperationEntered;
        if (bytes[0] & 0x80) c.lastEntry = (bytes[0] >> 4) & 3;
        c.firstEquation = equationNumber(bytes[1]);
        c.secondEquation = equationNumber(bytes[2]);
        c.pnlNumber = operandTexts()[bytes[3] % operandTexts().size()];
        return c;
    }

    // The judge may name an answer only for "letter = number", and for a
    // problem with one solution only the right number.
    void judge(int n) {
        const Answers before = m_answers;
        const Verdict verdict = judgeEquation(m_algebra, m_answers, n);
        const bool first = verdict == Verdict::FirstFound || verdict == Verdict::FirstAgain;
        const bool second = verdict == Verdict::SecondFound || verdict == Verdict::SecondAgain;
        if (!first && !second) {
            if (verdict == Verdict::Ordinary) require(m_answers == before);
            return;
        }
        const MShiki& e = m_algebra.EquationTable[static_cast<std::size_t>(n)];
        const ShikiToken head = tokenAt(e, 0);
        require(e.count == 3 && tokenAt(e, 1).kind == '=' && tokenAt(e, 2).kind == '/');
        require(head.num == 1 && head.den == 1 &&
                head.kind == (first ? m_algebra.unknown1 : m_algebra.unknown2));
        if (m_solution) require(valueOf(tokenAt(e, 2)) == (first ? m_solution->value1 : m_solution->value2));
        const bool found = verdict == Verdict::FirstFound || verdict == Verdict::SecondFound;
        require(found != (first ? before.answer1 : before.answer2).has_value());
    }

    Algebra m_algebra;
    std::array<MShiki, EquationSlots> m_before{};
    std::array<MShiki, 2> m_problem{};
    std::optional<Point> m_solution;
    Answers m_answers;
};

} // namespace
} // namespace tavolini

constexpr std::size_t MaxCommands = 64;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t end1 = input.find('\n');
    if (end1 == std::string_view::npos) return 0;
    const std::size_t end2 = input.find('\n', end1 + 1);
    if (end2 == std::string_view::npos) return 0;

    tavolini::Run run;
    if (!run.load(input.substr(0, end1), input.substr(end1 + 1, end2 - end1 - 1))) return 0;
    // Past a few dozen commands an input only repeats refusals.
    const std::size_t end = std::min(size, end2 + 1 + 4 * MaxCommands);
    for (std::size_t at = end2 + 1; at + 4 <= end && !run.full(); at += 4)
        run.step(data + at);
    return 0;
}
