// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/collecting.h"

#include "core/cp932.h"
#include "core/messages.h"
#include "core/token_kinds.h"

namespace tavolini {
namespace {

ShikiToken asNumber(ShikiToken token) {
    token.kind = '/';
    return token;
}

} // namespace

SideSums emptySums(const Algebra& algebra) {
    return {makeToken(0, 1, algebra.unknown1), makeToken(0, 1, algebra.unknown2), TokenZero};
}

void addToSums(Algebra& algebra, StepGuard& guard, SideSums& sums, ShikiToken token, Messages& messages) {
    if (isNumberKind(token.kind))
        sums.constant = guard.value(addTokens(messages, sums.constant, token));
    else if (token.kind == algebra.unknown1)
        sums.first = guard.value(addTokens(messages, sums.first, token));
    else if (token.kind == algebra.unknown2)
        sums.second = guard.value(addTokens(messages, sums.second, token));
}

bool hasBrackets(const MShiki& equation) {
    for (int i = 0; i < equation.count; ++i) {
        const char kind = tokenAt(equation, i).kind;
        if (isGroupOpening(kind) || isGroupClosing(kind)) return true;
    }
    return false;
}

bool refuseBrackets(const MShiki& equation, Messages& messages) {
    if (!hasBrackets(equation)) return false;
    tell(messages, cp932("かっこをはずしてください"));
    return true;
}

void collectSide(StepGuard& guard, MShiki& result, const SideSums& sums) {
    if (sums.first.num != 0) guard.append(result, sums.first);
    if (sums.second.num != 0) guard.append(result, sums.second);
    if (sums.constant.num != 0 || (sums.first.num == 0 && sums.second.num == 0))
        guard.append(result, sums.constant);
}

StepResult collectEquations(Algebra& algebra, std::initializer_list<const MShiki*> equations, MShiki& result,
                            Messages& messages) {
    StepGuard guard;
    SideSums left = emptySums(algebra);
    SideSums right = emptySums(algebra);
    for (const MShiki* equation : equations) {
        SideSums* side = &left;
        for (int i = 0; i < equation->count; ++i) {
            const ShikiToken token = tokenAt(*equation, i);
            if (token.kind == '=')
                side = &right;
            else
                addToSums(algebra, guard, *side, token, messages);
        }
    }
    clearEquation(result);
    collectSide(guard, result, left);
    guard.append(result, EqualsSign);
    collectSide(guard, result, right);
    return guard.result();
}

StepResult simplifyEquation(Algebra& algebra, const MShiki& equation, MShiki& result, Messages& messages) {
    if (refuseBrackets(equation, messages)) return StepResult::Refused;
    return collectEquations(algebra, {&equation}, result, messages);
}

StepResult transposeEquation(Algebra& algebra, const MShiki& equation, MShiki& result, Messages& messages) {
    if (refuseBrackets(equation, messages)) return StepResult::Refused;
    StepGuard guard;
    MShiki& numbers = algebra.scratchA;
    clearEquation(numbers);
    clearEquation(result);
    int moved = 0;
    bool onLeft = true;
    for (int i = 0; i < equation.count; ++i) {
        const ShikiToken token = tokenAt(equation, i);
        if (token.kind == '=') {
            onLeft = false;
        } else if (isNumberKind(token.kind) && token.num != 0) {
            guard.append(numbers, asNumber(onLeft ? guard.negated(token) : token));
            moved += onLeft ? 1 : 0;
        } else if (isLetter(token.kind)) {
            guard.append(result, onLeft ? token : guard.negated(token));
            moved += onLeft ? 0 : 1;
        }
    }
    if (result.count == 0) guard.append(result, TokenZero);
    guard.append(result, EqualsSign);
    if (numbers.count == 0) guard.append(result, TokenZero);
    for (int i = 0; i < numbers.count; ++i)
        guard.append(result, tokenAt(numbers, i));
    if (guard.ok() && moved == 0) tell(messages, cp932("移項する項はありません"));
    return guard.result();
}

} // namespace tavolini
