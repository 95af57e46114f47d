// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/solver.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "core/token_kinds.h"
#include "operations/collecting.h"
#include "operations/linear_form.h"

#include <optional>

namespace tavolini {
namespace {

std::string name(int n) { return utf8FromCp932(EquationLabels()[static_cast<std::size_t>(n)]); }

std::string numberText(ShikiToken t) {
    if (t.den == 1) return std::to_string(t.num);
    return (t.num < 0 ? "-" : "") + std::to_string(t.den) + "分の" + std::to_string(t.num < 0 ? -t.num : t.num);
}

class Solver {
public:
    Solver(Drill& drill, int maxSteps) : m_drill(drill), m_maxSteps(maxSteps) {}

    Solution run() {
        for (int n = 1; n <= 2 && !finished(); ++n) judge(n);
        int first = normalise(1);
        int second = normalise(2);
        if (!finished()) eliminate(first, second);
        m_solution.solved = isSolved(m_drill.answers);
        m_solution.answer1 = utf8FromCp932(m_drill.answers.answer1);
        m_solution.answer2 = utf8FromCp932(m_drill.answers.answer2);
        return m_solution;
    }

private:
    bool finished() const { return m_stopped || isSolved(m_drill.answers) || m_solution.steps >= m_maxSteps; }

    const MShiki& equation(int n) const { return m_drill.algebra.EquationTable[static_cast<std::size_t>(n)]; }

    // Runs one command; the number of the new equation, or 0 when refused.
    int step(const std::string& command) {
        if (finished()) return 0;
        m_solution.commands.push_back(command);
        if (m_drill.run(command) == "refused") return 0;
        ++m_solution.steps;
        const int n = m_drill.algebra.equationCount;
        judge(n);
        return n;
    }

    void judge(int n) {
        const Verdict verdict = judgeEquation(m_drill.algebra, m_drill.answers, n);
        if (verdict == Verdict::Identity) m_drill.answers = {infinitelyManyWord(), ""};
        if (verdict == Verdict::Contradiction) m_drill.answers = {noSolutionWord(), ""};
        if (verdict == Verdict::FirstAgain || verdict == Verdict::SecondAgain) m_stopped = true;
    }

    bool givesAnUnknown(int n) const {
        const MShiki& e = equation(n);
        return e.count == 3 && isLetter(e.tokens[0].kind) && e.tokens[0].num == e.tokens[0].den &&
               e.tokens[1].kind == '=' && e.tokens[2].kind == '/';
    }

    // Brackets removed, then letters left and numbers right, collected.
    int normalise(int n) {
        if (givesAnUnknown(n)) return n;
        while (!finished() && hasBrackets(equation(n))) n = step(name(n) + "かっこ");
        if (n == 0 || finished()) return n;
        if (const int moved = step(name(n) + "移項")) n = step(name(moved) + "整理");
        return n;
    }

    std::optional<LinearForm> form(int n) { return linearForm(m_drill.algebra, equation(n)); }

    // Makes the coefficient of one unknown equal in both, subtracts, and
    // finishes with the remaining unknown.
    void eliminate(int first, int second) {
        if (first == 0 || second == 0) return;
        const auto f = form(first);
        const auto g = form(second);
        if (!f || !g) return;
        const bool byFirst = f->first.num != 0 && g->first.num != 0;
        const ShikiToken a = byFirst ? f->first : f->second;
        const ShikiToken b = byFirst ? g->first : g->second;
        if (a.num == 0 || b.num == 0) return finishBoth(first, second);
        const int scaledFirst = scale(first, b);
        const int scaledSecond = scale(second, a);
        const int difference = step(name(scaledFirst) + "－" + name(scaledSecond));
        if (difference == 0 || finished()) return;
        const int found = divideOut(difference);
        if (found == 0 || finished()) return;
        substituteInto(found, first);
    }

    // One equation gives an unknown on its own: divide it out, then
    // substitute it into the other.
    void finishBoth(int first, int second) {
        for (int n : {first, second}) {
            const int found = divideOut(n);
            if (found != 0 && !finished()) substituteInto(found, n == first ? second : first);
        }
    }

    int scale(int n, ShikiToken by) {
        if (by.num == by.den) return n;
        return step(name(n) + "×" + numberText(by));
    }

    // "k·u = m" divided by k.
    int divideOut(int n) {
        const MShiki& e = equation(n);
        if (e.count != 3 || !isLetter(e.tokens[0].kind)) return n;
        const ShikiToken k = e.tokens[0];
        if (k.num == k.den) return n;
        return step(name(n) + "÷" + numberText(makeToken(k.num, k.den, '/')));
    }

    void substituteInto(int found, int target) {
        const int substituted = step(name(found) + "代入" + name(target));
        if (substituted == 0) return;
        const int normal = normalise(substituted);
        if (normal != 0) divideOut(normal);
    }

    Drill& m_drill;
    int m_maxSteps;
    bool m_stopped = false;
    Solution m_solution;
};

} // namespace

Solution solveLoadedProblem(Drill& drill, int maxSteps) { return Solver(drill, maxSteps).run(); }

} // namespace tavolini
