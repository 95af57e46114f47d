// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/scale_add_subtract.h"

#include "core/token_kinds.h"
#include "operations/collecting.h"

namespace tavolini {
namespace {

SideSums sumsStartingWith(const Algebra& algebra, ShikiToken operand) {
    SideSums sums = emptySums(algebra);
    if (operand.kind == '/') sums.constant = operand;
    return sums;
}

} // namespace

StepResult scaleEquation(const MShiki& equation, char sign, ShikiToken operand, MShiki& result,
                         Messages& messages) {
    StepGuard guard;
    clearEquation(result);
    int depth = 0;
    for (int i = 0; i < equation.count; ++i) {
        const ShikiToken token = tokenAt(equation, i);
        if (isGroupOpening(token.kind)) ++depth;
        if (isGroupClosing(token.kind)) --depth;
        if (depth != 0)
            guard.append(result, token);
        else if (sign == '*')
            guard.append(result, guard.value(mulTokens(token, operand)));
        else
            guard.append(result, guard.value(divTokens(messages, token, operand)));
    }
    return guard.result();
}

// The sum is formed side by side in written order, first equation before
// second, without writing the two equations out in one record first: two
// long equations may have more terms together than a record holds, while
// their collected sum always fits.
StepResult addEquations(Algebra& algebra, const MShiki& first, const MShiki& second, MShiki& result,
                        Messages& messages) {
    if (refuseBrackets(first, messages) || refuseBrackets(second, messages)) return StepResult::Refused;
    return collectEquations(algebra, {&first, &second}, result, messages);
}

StepResult subtractEquations(Algebra& algebra, const MShiki& first, const MShiki& second, MShiki& result,
                             Messages& messages) {
    StepGuard guard;
    MShiki negated = second;
    for (int i = 0; i < negated.count; ++i) {
        ShikiToken& token = tokenAt(negated, i);
        token = guard.negated(token);
    }
    if (!guard.ok()) return guard.result();
    return addEquations(algebra, first, negated, result, messages);
}

StepResult addToBothSides(Algebra& algebra, const MShiki& equation, char sign, ShikiToken operand,
                          MShiki& result, Messages& messages) {
    StepGuard guard;
    if (sign == '-') operand = guard.negated(operand);
    clearEquation(result);
    if (hasBrackets(equation)) {
        for (int i = 0; i < equation.count; ++i) {
            if (tokenAt(equation, i).kind == '=') guard.append(result, operand);
            guard.append(result, tokenAt(equation, i));
        }
        guard.append(result, operand);
        return guard.result();
    }
    SideSums sums = sumsStartingWith(algebra, operand);
    for (int i = 0; i < equation.count; ++i) {
        const ShikiToken token = tokenAt(equation, i);
        if (token.kind != '=') {
            addToSums(algebra, guard, sums, token, messages);
            continue;
        }
        collectSide(guard, result, sums);
        guard.append(result, EqualsSign);
        sums = sumsStartingWith(algebra, operand);
    }
    collectSide(guard, result, sums);
    return guard.result();
}

} // namespace tavolini
