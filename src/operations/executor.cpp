// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/executor.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "core/messages.h"
#include "core/operand.h"
#include "operations/brackets.h"
#include "operations/collecting.h"
#include "operations/linear_form.h"
#include "operations/scale_add_subtract.h"
#include "operations/substitution.h"

namespace tavolini {
namespace {

std::string label(int number) {
    return EquationLabels()[static_cast<std::size_t>(number)] + cp932("式");
}

// ＋ and － of two equations and 代入 combine two equations; every other
// operation works on one.
bool combinesTwo(const CommandState& command) {
    if (!command.operation) return false;
    const OperationRow& row = operationRow(*command.operation);
    return row.takesEquation && (!row.takesNumber || command.lastEntry == EquationEntered);
}

bool isExistingEquation(int number, int newSlot) {
    return number >= 1 && number < newSlot;
}

// The numbers the command names must be equations already written, and the
// new equation must get a slot that has a label (not an answer slot).
bool namesValidEquations(const CommandState& command, int newSlot) {
    if (newSlot < 3 || newSlot >= EquationLabelCount) return false;
    if (!isExistingEquation(command.firstEquation, newSlot)) return false;
    return !combinesTwo(command) || isExistingEquation(command.secondEquation, newSlot);
}

// Every derived equation keeps two sides: a side left with no token (all its
// terms cancelled by a substitution, an empty group removed) becomes 0.
void writeZeroOnEmptySides(StepGuard& guard, MShiki& equation) {
    if (equation.count == 0) return;
    const bool leftEmpty = equation.tokens.front().kind == '=';
    const bool rightEmpty = tokenAt(equation, equation.count - 1).kind == '=';
    if (!leftEmpty && !rightEmpty) return;
    MShiki completed;
    if (leftEmpty) guard.append(completed, TokenZero);
    for (int i = 0; i < equation.count; ++i)
        guard.append(completed, tokenAt(equation, i));
    if (rightEmpty) guard.append(completed, TokenZero);
    equation = completed;
}

struct Step {
    StepResult result = StepResult::Refused;
    std::string sentence;
};

class Executor {
  public:
    Executor(Algebra& algebra, CommandState& command, ShikiToken operand, Messages& messages)
        : m_algebra(algebra), m_messages(messages), m_command(command), m_operand(operand),
          m_first(algebra.EquationTable[static_cast<std::size_t>(command.firstEquation)]),
          m_second(algebra.EquationTable[static_cast<std::size_t>(
              combinesTwo(command) ? command.secondEquation : 0)]),
          m_label1(label(command.firstEquation)),
          m_label2(combinesTwo(command) ? label(command.secondEquation) : std::string()) {}

    Step run(MShiki& result) {
        if (!m_command.operation) return {refuse(orderMessage()), {}};
        const StepResult outcome = carryOut(*m_command.operation, result);
        if (outcome == StepResult::Refused) return {};
        return {outcome, sentence(operationRow(*m_command.operation))};
    }

  private:
    StepResult carryOut(Operation operation, MShiki& result) {
        switch (operation) {
        case Operation::Brackets:
            return brackets(result);
        case Operation::Transpose:
            return transposeEquation(m_algebra, m_first, result, m_messages);
        case Operation::Simplify:
            return simplifyEquation(m_algebra, m_first, result, m_messages);
        case Operation::Multiply:
            return multiply(result);
        case Operation::Divide:
            return divide(result);
        case Operation::Add:
        case Operation::Subtract:
            return combinesTwo(m_command) ? combine(result) : addNumber(result);
        case Operation::Substitute:
            return substitute(result);
        }
        return refuse(orderMessage());
    }

    std::string sentence(const OperationRow& row) const {
        // × and ÷ name a whole number in digits, anything else as typed
        // ("2分の1", "0.5"), so the sentence never shows a bare numerator.
        const std::string value =
            m_operand.den == 1 ? std::to_string(m_command.operandNumerator) : m_command.operandText;
        const bool two = combinesTwo(m_command);
        return stepSentence(two ? row.twoEquationSentence : row.sentence,
                            {m_label1, m_label2, m_command.operandText, value});
    }

    StepResult refuse(const char* utf8Message) { return refuse(cp932(utf8Message)); }
    StepResult refuse(const std::string& message) {
        tell(m_messages, message);
        return StepResult::Refused;
    }

    char code() const { return operationRow(*m_command.operation).code; }

    bool sameOrigin() const { return m_first.origin == m_second.origin; }

    StepResult refuseSameOrigin() { return refuse(operationRow(*m_command.operation).sameOriginMessage); }

    StepResult brackets(MShiki& result) {
        const StepResult outcome = removeBrackets(m_algebra, m_first, result);
        if (outcome == StepResult::Refused) return refuse("かっこがありません");
        return outcome;
    }

    StepResult multiply(MShiki& result) {
        if (m_command.lastEntry == EquationEntered) return refuse("式をかけることはできません");
        if (m_command.operandNumerator == 0) return refuse("０をかけることはできません");
        return scaleEquation(m_first, code(), m_operand, result, m_messages);
    }

    StepResult divide(MShiki& result) {
        if (m_command.operandNumerator == 0) return refuse("０では割れません");
        return scaleEquation(m_first, code(), m_operand, result, m_messages);
    }

    StepResult combine(MShiki& result) {
        if (sameOrigin()) return refuseSameOrigin();
        if (m_command.operation == Operation::Add)
            return addEquations(m_algebra, m_first, m_second, result, m_messages);
        return subtractEquations(m_algebra, m_first, m_second, result, m_messages);
    }

    StepResult addNumber(MShiki& result) {
        return addToBothSides(m_algebra, m_first, code(), m_operand, result, m_messages);
    }

    StepResult substitute(MShiki& result) {
        if (sameOrigin()) return refuseSameOrigin();
        const StepResult outcome = substituteEquation(m_algebra, m_first, m_second, result, m_messages);
        if (outcome == StepResult::Refused)
            tell(m_messages, m_label1 + cp932("は代入できる形ではありません"));
        return outcome;
    }

    Algebra& m_algebra;
    Messages& m_messages;
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
bool combinesOneEquationWithItself(Algebra& algebra, const MShiki& result, Messages& messages) {
    const std::optional<LinearForm> form = linearForm(algebra, result, messages);
    return form && isIdentity(*form) &&
           !hasInfinitelyManySolutions(algebra, algebra.EquationTable[1], algebra.EquationTable[2], messages);
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

std::optional<int> executeOperation(Algebra& algebra, CommandState& command, Messages& messages) {
    command.operandText = command.pnlNumber;
    const ShikiToken operand = parseOperand(messages, command.operandText);
    command.operandNumerator = operand.num;
    command.pnlNumber.clear();
    command.composeStep = ComposeStep::Nothing;
    // An operand that cannot be read has said why; nothing else applies.
    if (operand.den == 0) return std::nullopt;

    const int n = algebra.equationCount + 1;
    if (!namesValidEquations(command, n)) {
        tell(messages, orderMessage());
        return std::nullopt;
    }
    MShiki result;
    Step step = Executor(algebra, command, operand, messages).run(result);
    StepGuard guard;
    if (step.result == StepResult::Done) writeZeroOnEmptySides(guard, result);
    if (step.result == StepResult::Done) step.result = guard.result();
    if (const char* message = failureMessage(step.result)) tell(messages, cp932(message));
    if (step.result != StepResult::Done) return std::nullopt;

    const bool two = combinesTwo(command);
    if (two && combinesOneEquationWithItself(algebra, result, messages)) {
        tell(messages, cp932(operationRow(*command.operation).sameOriginMessage));
        return std::nullopt;
    }
    result.origin = two ? ++algebra.originCounter
                        : algebra.EquationTable[static_cast<std::size_t>(command.firstEquation)].origin;
    result.stepText = step.sentence;
    algebra.EquationTable[static_cast<std::size_t>(n)] = result;
    algebra.equationCount = n;
    command.firstEquation = 0;
    return n;
}

std::string orderMessage() {
    return cp932("操作が誤りです。例①＋②，①÷２，④代入①");
}

} // namespace tavolini
