// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/hint.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "core/token_kinds.h"
#include "operations/collecting.h"
#include "operations/executor.h"
#include "operations/linear_form.h"
#include "operations/substitution.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <set>
#include <utility>
#include <vector>

namespace tavolini {
namespace {

const MShiki& equationOf(const Algebra& algebra, int n) {
    return algebra.EquationTable[static_cast<std::size_t>(n)];
}

bool sameValue(ShikiToken a, ShikiToken b) {
    return std::int64_t{a.num} * b.den == std::int64_t{b.num} * a.den;
}

// "3", "-1", "2分の3": a number as it is typed on the pad.
std::string typed(ShikiToken t) {
    const std::int64_t magnitude = std::llabs(std::int64_t{t.num});
    if (t.den == 1) return (t.num < 0 ? "-" : "") + std::to_string(magnitude);
    return (t.num < 0 ? "-" : "") + std::to_string(t.den) + cp932("分の") + std::to_string(magnitude);
}

std::string because(char letter, const char* utf8) {
    return std::string(1, letter) + cp932(utf8);
}

// The newest equation of each family (the equations of one origin), newest first.
std::vector<int> familyHeads(const Algebra& algebra) {
    std::vector<int> heads;
    std::set<int> origins;
    for (int n = std::min(algebra.equationCount, EquationLabelCount - 1); n >= 1; --n)
        if (origins.insert(equationOf(algebra, n).origin).second) heads.push_back(n);
    return heads;
}

// An equation as the letters it still holds, by its coefficients.
struct Shape {
    LinearForm form;
    int letters = 0;
    char letter = '?'; // the letter of an equation with one
};

std::optional<Shape> shapeOf(Algebra& algebra, int n) {
    Messages unshown; // trials happen out of the pupil's sight
    const std::optional<LinearForm> form = linearForm(algebra, equationOf(algebra, n), unshown);
    if (!form) return std::nullopt;
    Shape shape{*form, 0, '?'};
    if (form->first.num != 0) {
        ++shape.letters;
        shape.letter = algebra.unknown1;
    }
    if (form->second.num != 0) {
        ++shape.letters;
        shape.letter = algebra.unknown2;
    }
    return shape;
}

// "k·u = c": a number times one letter on the left, one number on the right.
bool isSolvedForOneLetter(const MShiki& e) {
    return e.count == 3 && isLetter(tokenAt(e, 0).kind) && tokenAt(e, 1).kind == '=' &&
           isNumberKind(tokenAt(e, 2).kind);
}

// "u = expression without u": ready to be substituted into another equation.
bool isLetterExpression(const Algebra& algebra, const MShiki& e) {
    return e.count >= 4 && isSubstitutable(algebra, e);
}

// The number of "k·u + p = q" (letter terms and one number on the left,
// numbers alone on the right): taking it from both sides leaves "k·u = c".
std::optional<ShikiToken> loneNumberBesideLetter(const MShiki& e) {
    std::optional<ShikiToken> number;
    bool right = false;
    for (int i = 0; i < e.count; ++i) {
        const ShikiToken t = tokenAt(e, i);
        if (t.kind == '=')
            right = true;
        else if (right && isLetter(t.kind))
            return std::nullopt;
        else if (!right && isNumberKind(t.kind)) {
            if (number) return std::nullopt;
            number = t;
        }
    }
    return number;
}

// A letter on the right or a number on the left: terms must cross the '='.
bool needsTransposing(const MShiki& e) {
    bool right = false;
    for (int i = 0; i < e.count; ++i) {
        const char kind = tokenAt(e, i).kind;
        if (kind == '=')
            right = true;
        else if (right ? isLetter(kind) : isNumberKind(kind))
            return true;
    }
    return false;
}

// How much writing an equation takes: its tokens and the size of its numbers.
std::int64_t plainness(const MShiki& e) {
    std::int64_t size = e.count;
    for (int i = 0; i < e.count; ++i)
        size += std::llabs(std::int64_t{tokenAt(e, i).num}) + tokenAt(e, i).den;
    return size;
}

// The least number that makes every number and coefficient whole: the least
// common multiple of their denominators. Nothing when it passes 32 bits.
std::optional<std::int32_t> commonDenominator(const MShiki& e, bool coefficientsOnly = false) {
    std::int64_t multiple = 1;
    for (int i = 0; i < e.count; ++i) {
        const ShikiToken t = tokenAt(e, i);
        if (t.num == 0 || !((isNumberKind(t.kind) && !coefficientsOnly) || isLetter(t.kind))) continue;
        if (t.den == 0) return std::nullopt;
        const std::int64_t den = std::llabs(std::int64_t{t.den}) / gcd(t.num, t.den);
        multiple = multiple / std::gcd(multiple, den) * den;
        if (multiple > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    }
    return static_cast<std::int32_t>(multiple);
}

// The power of ten that the common denominator divides: what clears decimals.
// Nothing when the denominator has another prime (a third is no decimal).
std::optional<std::int32_t> powerOfTenOver(std::int32_t denominator) {
    std::int32_t rest = denominator;
    while (rest % 2 == 0)
        rest /= 2;
    while (rest % 5 == 0)
        rest /= 5;
    if (rest != 1) return std::nullopt;
    std::int32_t power = 1;
    while (power % denominator != 0) {
        if (power > std::numeric_limits<std::int32_t>::max() / 10) return std::nullopt;
        power *= 10;
    }
    return power;
}

bool isWhole(const MShiki& e) {
    return commonDenominator(e) == 1;
}

bool isFound(const Algebra& algebra, const Answers& answers, char letter) {
    return (letter == algebra.unknown1 ? answers.answer1 : answers.answer2).has_value();
}

// The commands worth trying, in the order a teacher would suggest them.
class Candidates {
  public:
    Candidates(Algebra& algebra, const Answers& answers) : m_algebra(algebra), m_answers(answers) {
        for (int n : familyHeads(algebra))
            if (const std::optional<Shape> shape = shapeOf(algebra, n)) m_heads.push_back({n, *shape});
        // A value goes best into the plainest equation that still has both
        // letters, whatever its age; one with fractions only when there is
        // no whole one, so that the pupil does not meet them again.
        for (int n = 1; n <= std::min(algebra.equationCount, EquationLabelCount - 1); ++n) {
            const std::optional<Shape> shape = shapeOf(algebra, n);
            if (shape && shape->letters == 2 && !hasBrackets(equationOf(algebra, n))) m_targets.push_back(n);
        }
        std::stable_sort(m_targets.begin(), m_targets.end(), [&algebra](int a, int b) {
            const MShiki& x = equationOf(algebra, a);
            const MShiki& y = equationOf(algebra, b);
            return std::pair(!isWhole(x), plainness(x)) < std::pair(!isWhole(y), plainness(y));
        });
    }

    std::vector<HintCommand> list() {
        for (const Head& head : m_heads)
            if (hasBrackets(equationOf(m_algebra, head.n))) add({Operation::Brackets, head.n, 0, "", ""});
        for (auto head = m_heads.rbegin(); head != m_heads.rend(); ++head)
            clearFractions(*head);
        for (const Head& head : m_heads) {
            if (head.shape.letters == 1) oneLetter(head);
            // No letter left: collected, it shows 0 = 0 or 0 = c.
            if (head.shape.letters == 0) add({Operation::Simplify, head.n, 0, "", ""});
        }
        for (const Head& head : m_heads)
            if (isLetterExpression(m_algebra, equationOf(m_algebra, head.n)))
                substituteInto(head, cp932("式を入れます"));
        for (std::size_t i = 0; i < m_heads.size(); ++i)
            for (std::size_t j = i + 1; j < m_heads.size(); ++j)
                if (m_heads[i].shape.letters == 2 && m_heads[j].shape.letters == 2)
                    combine(m_heads[i], m_heads[j]);
        return m_list;
    }

  private:
    struct Head {
        int n;
        Shape shape;
    };

    void add(HintCommand command) { m_list.push_back(std::move(command)); }

    // Fractions cleared by their common denominator, decimals by a power of
    // ten, once in a family. Not an equation that is ready to divide or to
    // substitute: clearing it would only undo that. With one letter left,
    // only a coefficient in fractions stands in the way; a number alone
    // crosses the '=' and stays in the answer anyway.
    void clearFractions(const Head& head) {
        const MShiki& e = equationOf(m_algebra, head.n);
        if (head.shape.letters == 0 || hasBrackets(e) || isSolvedForOneLetter(e) ||
            isLetterExpression(m_algebra, e))
            return;
        if (head.shape.letters == 1 &&
            (isFound(m_algebra, m_answers, head.shape.letter) || commonDenominator(e, true) == 1))
            return;
        if (hasWholeRelative(head.n)) return;
        const std::optional<std::int32_t> denominator = commonDenominator(e);
        if (!denominator || *denominator == 1) return;
        if (m_algebra.hasDecimalPoint)
            if (const std::optional<std::int32_t> power = powerOfTenOver(*denominator)) {
                add({Operation::Multiply, head.n, 0, std::to_string(*power), cp932("小数をなくします")});
                return;
            }
        add({Operation::Multiply, head.n, 0, std::to_string(*denominator), cp932("分母をはらいます")});
    }

    // Whether the family of equation n already has a whole equation: cleared
    // once, or whole to begin with.
    bool hasWholeRelative(int n) const {
        const int origin = equationOf(m_algebra, n).origin;
        for (int m = 1; m <= std::min(m_algebra.equationCount, EquationLabelCount - 1); ++m) {
            const MShiki& e = equationOf(m_algebra, m);
            if (m != n && e.origin == origin && !hasBrackets(e) && isWhole(e)) return true;
        }
        return false;
    }

    // Divided to "u = c", then substituted; brought to "k·u = c" first, in
    // one step when a single number stands beside the letter.
    void oneLetter(const Head& head) {
        const MShiki& e = equationOf(m_algebra, head.n);
        const char u = head.shape.letter;
        if (!isSolvedForOneLetter(e)) {
            if (isFound(m_algebra, m_answers, u)) return;
            if (const std::optional<ShikiToken> p = loneNumberBesideLetter(e)) {
                // ＋ its size for a negative number, － it for a positive one.
                std::string size = typed(makeToken(p->num, p->den, '/'));
                if (size.front() == '-') size.erase(0, 1);
                add({p->num < 0 ? Operation::Add : Operation::Subtract, head.n, 0, size,
                     cp932("数を消します")});
            }
            add({needsTransposing(e) ? Operation::Transpose : Operation::Simplify, head.n, 0, "", ""});
            return;
        }
        const ShikiToken k = tokenAt(e, 0);
        if (k.num != k.den) {
            if (!isFound(m_algebra, m_answers, u))
                add({Operation::Divide, head.n, 0, typed(makeToken(k.num, k.den, '/')),
                     because(u, "を求めます")});
            return;
        }
        substituteInto(head, cp932("値を入れます"));
    }

    void substituteInto(const Head& source, const std::string& reason) {
        for (int target : m_targets)
            if (equationOf(m_algebra, target).origin != equationOf(m_algebra, source.n).origin)
                add({Operation::Substitute, source.n, target, "", reason});
    }

    // Added or subtracted when a letter's coefficients agree; else one of
    // them multiplied so that they will.
    void combine(const Head& newer, const Head& older) {
        const int first = std::min(newer.n, older.n);
        const int second = std::max(newer.n, older.n);
        struct Pair {
            char letter;
            ShikiToken a; // in the newer equation
            ShikiToken b; // in the older one
        };
        const Pair pairs[] = {{m_algebra.unknown2, newer.shape.form.second, older.shape.form.second},
                              {m_algebra.unknown1, newer.shape.form.first, older.shape.form.first}};
        for (const Pair& p : pairs) {
            if (sameValue(p.a, p.b))
                add({Operation::Subtract, first, second, "", because(p.letter, "が消えます")});
            else if (sameValue(p.a, makeToken(-p.b.num, p.b.den, '/')))
                add({Operation::Add, first, second, "", because(p.letter, "が消えます")});
        }
        for (const Pair& p : pairs) {
            const std::string reason = because(p.letter, "をそろえます");
            if (const CheckedToken q = divTokens(m_unshown, p.b, p.a); q && q->den == 1)
                add({Operation::Multiply, newer.n, 0, typed(*q), reason});
            if (const CheckedToken q = divTokens(m_unshown, p.a, p.b); q && q->den == 1)
                add({Operation::Multiply, older.n, 0, typed(*q), reason});
        }
        for (const Pair& p : pairs)
            add({Operation::Multiply, newer.n, 0, typed(makeToken(p.b.num, p.b.den, '/')),
                 because(p.letter, "をそろえます")});
    }

    Algebra& m_algebra;
    Messages m_unshown;
    const Answers& m_answers;
    std::vector<Head> m_heads;
    std::vector<int> m_targets; // equations with both letters, plainest first
    std::vector<HintCommand> m_list;
};

bool sameTokens(const MShiki& a, const MShiki& b) {
    if (a.count != b.count) return false;
    for (int i = 0; i < a.count; ++i)
        if (!(tokenAt(a, i) == tokenAt(b, i))) return false;
    return true;
}

// Whether the executor takes the command and it writes something new: not
// an equation its family already has, and for a new family not one written
// at all; nor an unknown found a second time.
bool helps(const Algebra& algebra, const Answers& answers, const HintCommand& hint) {
    Algebra a = algebra; // tried out of the pupil's sight
    CommandState command;
    command.operation = hint.operation;
    command.firstEquation = hint.firstEquation;
    command.secondEquation = hint.secondEquation;
    command.pnlNumber = hint.operand;
    command.composeStep =
        hint.secondEquation != 0 ? ComposeStep::SecondEquation : ComposeStep::OperationChosen;
    command.lastEntry = hint.secondEquation != 0 ? EquationEntered
                        : hint.operand.empty()   ? OperationEntered
                                                 : NumberEntered;
    Messages unshown;
    const std::optional<int> written = executeOperation(a, command, unshown);
    if (!written) return false;
    const int n = *written;
    const MShiki& result = equationOf(a, n);
    const bool newFamily = result.origin > algebra.originCounter;
    for (int m = 1; m < n; ++m)
        if (sameTokens(result, equationOf(a, m)) && (newFamily || equationOf(a, m).origin == result.origin))
            return false;
    Answers judged = answers;
    const Verdict verdict = judgeEquation(a, judged, n);
    return verdict != Verdict::FirstAgain && verdict != Verdict::SecondAgain;
}

std::string label(int n) {
    return n >= 1 && n < EquationLabelCount ? EquationLabels()[static_cast<std::size_t>(n)] : std::string();
}

} // namespace

std::optional<HintCommand> nextCommand(const Algebra& algebra, const Answers& answers) {
    if (isSolved(answers)) return std::nullopt;
    Algebra trial = algebra;
    for (const HintCommand& command : Candidates(trial, answers).list())
        if (helps(algebra, answers, command)) return command;
    return std::nullopt;
}

std::string commandText(const HintCommand& command) {
    return label(command.firstEquation) + cp932(operationRow(command.operation).label) +
           (command.secondEquation != 0 ? label(command.secondEquation) : command.operand);
}

std::string hintMessage(const Algebra& algebra, const Answers& answers, int equationLimit) {
    const std::string heading = cp932("ヒント：");
    if (isSolved(answers)) return heading + cp932("解けています");
    if (algebra.equationCount >= equationLimit) return heading + cp932("もう式が書けません");
    const std::optional<HintCommand> command = nextCommand(algebra, answers);
    if (!command) return heading + cp932("次の手が見つかりません");
    const std::string reason = command->reason.empty() ? "" : cp932("（") + command->reason + cp932("）");
    return heading + commandText(*command) + reason;
}

} // namespace tavolini
