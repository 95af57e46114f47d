// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/executor.h"

#include "core/cp932.h"
#include "core/dialogs.h"
#include "core/equation_labels.h"
#include "core/operand.h"
#include "operations/brackets.h"
#include "operations/collecting.h"
#include "operations/linear_form.h"
#include "operations/scale_add_subtract.h"
#include "operations/substitution.h"

namespace tavolini {
namespace {

constexpr const char* OrderMessage = "操作が誤りです。例①＋②，①÷２，④代入①";

std::string label(int number) { return EquationLabels()[static_cast<std::size_t>(number)] + cp932("式"); }

// ＋ and － of two equations and 代入 combine two equations; every other
// operation works on one.
bool combinesTwo(const CommandState& command) {
    return command.operationCode == '^' ||
           ((command.operationCode == '+' || command.operationCode == '-') && command.lastEntry == EquationEntered);
}

bool isExistingEquation(int number, int newSlot) { return number >= 1 && number < newSlot; }

// The numbers the command names must be equations already written, and the
// new equation must get a slot that has a label (not an answer slot).
bool namesValidEquations(const Algebra& algebra, const CommandState& command) {
    const int newSlot = algebra.equationCount;
    if (newSlot < 3 || newSlot >= EquationLabelCount) return false;
    if (!isExistingEquation(command.firstEquation, newSlot)) return false;
    return !combinesTwo(command) || isExistingEquation(command.secondEquation, newSlot);
}

// How × and ÷ name their number: an integer in digits, anything else as typed
// ("2分の1", "0.5"), so the sentence never shows a bare numerator.
std::string operandWords(const CommandState& command, ShikiToken operand) {
    return operand.den == 1 ? std::to_string(command.operandNumerator) : command.operandText;
}

// Every derived equation keeps two sides: a side left with no token (all its
// terms cancelled by a substitution, an empty group removed) becomes 0.
void writeZeroOnEmptySides(StepGuard& guard, MShiki& equation) {
    if (equation.count == 0) return;
    const bool leftEmpty = equation.tokens.front().kind == '=';
    const bool rightEmpty = equation.tokens[static_cast<std::size_t>(equation.count - 1)].kind == '=';
    if (!leftEmpty && !rightEmpty) return;
    MShiki completed;
    if (leftEmpty) guard.append(completed, TokenZero);
    for (int i = 0; i < equation.count; ++i) guard.append(completed, equation.tokens[static_cast<std::size_t>(i)]);
    if (rightEmpty) guard.append(completed, TokenZero);
    equation = completed;
}

const char* sameOriginMessage(char operationCode) {
    switch (operationCode) {
    case '+':
        return "同じ式から変形された式はたせません";
    case '-':
        return "同じ式から変形された式はひけません";
    default:
        return "同じ式から変形された式に代入できません";
    }
}

struct Step {
    StepResult result = StepResult::Refused;
    std::string sentence;
};

class Executor {
public:
    Executor(Algebra& algebra, CommandState& command, ShikiToken operand)
        : m_algebra(algebra), m_command(command), m_operand(operand),
          m_first(algebra.EquationTable[static_cast<std::size_t>(command.firstEquation)]),
          m_second(algebra.EquationTable[static_cast<std::size_t>(combinesTwo(command) ? command.secondEquation : 0)]),
          m_label1(label(command.firstEquation)),
          m_label2(combinesTwo(command) ? label(command.secondEquation) : std::string()) {}

    Step run(MShiki& result) {
        switch (m_command.operationCode) {
        case 'K':
            return brackets(result);
        case 'I':
            return {transposeEquation(m_algebra, m_first, result), m_label1 + cp932("を移項すると")};
        case 'S':
            return {simplifyEquation(m_algebra, m_first, result), m_label1 + cp932("を整理すると")};
        case '*':
            return multiply(result);
        case '/':
            return divide(result);
        case '+':
        case '-':
            return m_command.lastEntry == EquationEntered ? combine(result) : addNumber(result);
        case '^':
            return substitute(result);
        default:
            return refuse(OrderMessage);
        }
    }

private:
    Step refuse(const char* utf8Message) {
        m_algebra.dialogs.showMessage(cp932(utf8Message));
        return {};
    }

    bool sameOrigin() const { return m_first.origin == m_second.origin; }

    Step brackets(MShiki& result) {
        const StepResult outcome = removeBrackets(m_algebra, m_first, result);
        if (outcome == StepResult::Refused) return refuse("かっこがありません");
        return {outcome, m_label1 + cp932("のかっこをはずすと")};
    }

    Step multiply(MShiki& result) {
        if (m_command.lastEntry == EquationEntered) return refuse("式をかけることはできません");
        if (m_command.operandNumerator == 0) return refuse("０をかけることはできません");
        return {scaleEquation(m_algebra, m_first, '*', m_operand, result),
                m_label1 + cp932("の両辺を") + operandWords(m_command, m_operand) + cp932("倍すると")};
    }

    Step divide(MShiki& result) {
        if (m_command.operandNumerator == 0) return refuse("０では割れません");
        return {scaleEquation(m_algebra, m_first, '/', m_operand, result),
                m_label1 + cp932("の両辺を") + operandWords(m_command, m_operand) + cp932("で割ると")};
    }

    Step combine(MShiki& result) {
        const bool adding = m_command.operationCode == '+';
        if (sameOrigin()) return refuse(sameOriginMessage(m_command.operationCode));
        if (adding)
            return {addEquations(m_algebra, m_first, m_second, result), m_label1 + cp932("と") + m_label2 + cp932("をたすと")};
        return {subtractEquations(m_algebra, m_first, m_second, result),
                m_label1 + cp932("から") + m_label2 + cp932("をひくと")};
    }

    Step addNumber(MShiki& result) {
        // A number that could not be read (a lone "－", "3分の") is 0/0: it
        // must never reach the arithmetic.
        if (m_operand.den == 0) return refuse(OrderMessage);
        const char sign = m_command.operationCode;
        const char* words = sign == '+' ? "の両辺に" : "の両辺から";
        const char* verb = sign == '+' ? "をたすと" : "をひくと";
        return {addToBothSides(m_algebra, m_first, sign, m_operand, result),
                m_label1 + cp932(words) + m_command.operandText + cp932(verb)};
    }

    Step substitute(MShiki& result) {
        if (sameOrigin()) return refuse(sameOriginMessage(m_command.operationCode));
        const StepResult outcome = substituteEquation(m_algebra, m_first, m_second, result);
        if (outcome == StepResult::Refused) {
            m_algebra.dialogs.showMessage(m_label1 + cp932("は代入できる形ではありません"));
            return {};
        }
        return {outcome, m_label1 + cp932("を") + m_label2 + cp932("に代入すると")};
    }

    Algebra& m_algebra;
    CommandState& m_command;
    ShikiToken m_operand;
    const MShiki& m_first;
    const MShiki& m_second;
    std::string m_label1;
    std::string m_label2;
};

// Combining two forms of the same equation (say ② and ② + (① − ②), which is
// ① again under a new origin) yields an identity that says nothing about
// the problem; unless the problem really has infinitely many solutions the
// step is refused like any other combination of one equation with itself.
bool combinesOneEquationWithItself(Algebra& algebra, const MShiki& result) {
    const std::optional<LinearForm> form = linearForm(algebra, result);
    return form && isIdentity(*form) &&
           !hasInfinitelyManySolutions(algebra, algebra.EquationTable[1], algebra.EquationTable[2]);
}

// The message for a step that could not be completed, or nothing when the
// operation has already told the pupil why.
const char* failureMessage(StepResult result) {
    switch (result) {
    case StepResult::Overflow:
        return "数が大きすぎて計算できません";
    case StepResult::TooLong:
        return "式が長すぎます";
    default:
        return nullptr;
    }
}

} // namespace

bool executeOperation(Algebra& algebra, CommandState& command, std::string& stepSentence) {
    command.operandText = command.pnlNumber;
    const ShikiToken operand = parseOperand(algebra.dialogs, command.operandText);
    command.operandNumerator = operand.num;
    command.pnlNumber.clear();
    command.composeStep = 0;

    if (!namesValidEquations(algebra, command)) {
        algebra.dialogs.showMessage(cp932(OrderMessage));
        return false;
    }
    MShiki& newSlot = algebra.EquationTable[static_cast<std::size_t>(algebra.equationCount)];
    clearEquation(newSlot);

    MShiki result;
    Step step = Executor(algebra, command, operand).run(result);
    StepGuard guard;
    if (step.result == StepResult::Done) writeZeroOnEmptySides(guard, result);
    if (step.result == StepResult::Done) step.result = guard.result();
    if (const char* message = failureMessage(step.result)) algebra.dialogs.showMessage(cp932(message));
    if (step.result != StepResult::Done) return false;

    const bool two = combinesTwo(command);
    if (two && combinesOneEquationWithItself(algebra, result)) {
        algebra.dialogs.showMessage(cp932(sameOriginMessage(command.operationCode)));
        return false;
    }
    result.origin = two ? ++algebra.originCounter : algebra.EquationTable[static_cast<std::size_t>(command.firstEquation)].origin;
    result.stepText = step.sentence;
    newSlot = result;
    command.firstEquation = 0;
    stepSentence = step.sentence;
    return true;
}

} // namespace tavolini
