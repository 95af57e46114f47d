// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/brackets.h"

#include "core/token_kinds.h"
#include "operations/collecting.h"

namespace tavolini {
namespace {

// Replaces the group that ends the result (factor, opening bracket, terms)
// by its terms times the factor, in their written order.
void expandLastGroup(StepGuard& guard, MShiki& result, MShiki& terms, int termCount) {
    clearEquation(terms);
    for (int k = 0; k < termCount; ++k)
        guard.append(terms, popToken(result));
    popToken(result); // the opening bracket
    // Every group the program writes has a number before it; should one
    // not, the group is taken as it stands rather than borrowing a term.
    const bool hasFactor = result.count > 0 && isNumberKind(tokenAt(result, result.count - 1).kind);
    const ShikiToken factor = hasFactor ? popToken(result) : TokenOne;
    for (int k = terms.count - 1; k >= 0; --k)
        guard.append(result, guard.value(mulTokens(tokenAt(terms, k), factor)));
}

} // namespace

StepResult removeBrackets(Algebra& algebra, const MShiki& equation, MShiki& result) {
    if (!hasBrackets(equation)) return StepResult::Refused;
    StepGuard guard;
    clearEquation(result);
    bool inside = false;
    int opening = 0;
    for (int i = 0; i < equation.count; ++i) {
        const ShikiToken token = tokenAt(equation, i);
        if (isGroupOpening(token.kind)) {
            guard.append(result, token);
            opening = i;
            inside = true;
        } else if (isGroupClosing(token.kind) && inside) {
            expandLastGroup(guard, result, algebra.scratchA, i - opening - 1);
            inside = false;
        } else {
            guard.append(result, token);
        }
    }
    return guard.result();
}

} // namespace tavolini
