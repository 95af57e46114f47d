// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/substitution.h"

#include "core/cp932.h"
#include "core/messages.h"

namespace tavolini {
namespace {

constexpr ShikiToken OpenBracket{1, 0, '('};
constexpr ShikiToken CloseBracket{1, 0, ')'};

bool isExactlyOne(ShikiToken t) {
    return t.num == 1 && t.den == 1;
}

void appendRightSide(StepGuard& guard, MShiki& result, const MShiki& first) {
    for (int i = 2; i < first.count; ++i)
        guard.append(result, tokenAt(first, i));
}

} // namespace

// Whether the equation reads "letter = expression" with one of the problem's
// unknowns alone on the left (coefficient exactly 1) and not on the right.
bool isSubstitutable(const Algebra& algebra, const MShiki& equation) {
    if (equation.count < 3) return false;
    const ShikiToken head = tokenAt(equation, 0);
    if (!isExactlyOne(head)) return false;
    if (head.kind != algebra.unknown1 && head.kind != algebra.unknown2) return false;
    if (head.kind == '?' || tokenAt(equation, 1).kind != '=') return false;
    for (int i = 2; i < equation.count; ++i)
        if (tokenAt(equation, i).kind == head.kind) return false;
    return true;
}

StepResult substituteEquation(Algebra& algebra, const MShiki& first, const MShiki& second, MShiki& result,
                              Messages& messages) {
    if (!isSubstitutable(algebra, first)) return StepResult::Refused;
    if (first.count == 3) return substituteSingleTerm(first, second, result, messages);

    const char letter = tokenAt(first, 0).kind;
    StepGuard guard;
    clearEquation(result);
    for (int i = 0; i < second.count; ++i) {
        const ShikiToken token = tokenAt(second, i);
        if (token.kind != letter) {
            guard.append(result, token);
        } else if (isExactlyOne(token)) {
            appendRightSide(guard, result, first);
        } else {
            guard.append(result, makeToken(token.num, token.den, '/')); // the group's factor
            guard.append(result, OpenBracket);
            appendRightSide(guard, result, first);
            guard.append(result, CloseBracket);
        }
    }
    return guard.result();
}

StepResult substituteSingleTerm(const MShiki& first, const MShiki& second, MShiki& result,
                                Messages& messages) {
    const char letter = tokenAt(first, 0).kind;
    const ShikiToken value = tokenAt(first, 2);
    const char productKind = value.kind == '|' ? '/' : value.kind;
    StepGuard guard;
    clearEquation(result);
    bool replaced = false;
    for (int i = 0; i < second.count; ++i) {
        const ShikiToken token = tokenAt(second, i);
        if (token.kind != letter) {
            guard.append(result, token);
            continue;
        }
        replaced = true;
        ShikiToken product = guard.value(mulTokens(token, value));
        product.kind = productKind;
        if (product.num != 0) guard.append(result, product);
    }
    if (!replaced) {
        tell(messages, cp932("代入する項がありあません"));
        return StepResult::Refused;
    }
    return guard.result();
}

} // namespace tavolini
