// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/linear_form.h"

#include "core/token_kinds.h"
#include "operations/step_guard.h"

#include <vector>

namespace tavolini {
namespace {

bool isZero(ShikiToken t) {
    return t.num == 0;
}

// a·d − b·c, the minor of two rows of coefficients.
ShikiToken minor(StepGuard& guard, ShikiToken a, ShikiToken b, ShikiToken c, ShikiToken d,
                 Messages& messages) {
    return guard.value(subTokens(messages, guard.value(mulTokens(a, d)), guard.value(mulTokens(b, c))));
}

} // namespace

std::optional<LinearForm> linearForm(Algebra& algebra, const MShiki& equation, Messages& messages) {
    StepGuard guard;
    LinearForm form{TokenZero, TokenZero, TokenZero};
    // The multiplier of the current group: the product of the factors of the
    // groups around it, negated on the right side.
    std::vector<ShikiToken> outer;
    ShikiToken multiplier = TokenOne;
    for (int i = 0; i < equation.count; ++i) {
        const ShikiToken token = tokenAt(equation, i);
        const bool isFactor = isNumberKind(token.kind) && i + 1 < equation.count &&
                              isGroupOpening(tokenAt(equation, i + 1).kind);
        if (isFactor || isGroupOpening(token.kind)) {
            outer.push_back(multiplier);
            if (isFactor) {
                multiplier = guard.value(mulTokens(multiplier, token));
                ++i; // the opening bracket belongs to the factor
            }
        } else if (isGroupClosing(token.kind)) {
            if (outer.empty()) return std::nullopt;
            multiplier = outer.back();
            outer.pop_back();
        } else if (token.kind == '=') {
            multiplier = makeToken(-1, 1, '/');
        } else if (isNumberKind(token.kind) || isLetter(token.kind)) {
            ShikiToken* sum = isNumberKind(token.kind)         ? &form.constant
                              : token.kind == algebra.unknown1 ? &form.first
                              : token.kind == algebra.unknown2 ? &form.second
                                                               : nullptr;
            if (sum == nullptr) return std::nullopt;
            const ShikiToken term = guard.value(mulTokens(makeToken(token.num, token.den, '/'), multiplier));
            *sum = guard.value(addTokens(messages, *sum, term));
        }
    }
    if (!guard.ok()) return std::nullopt;
    return form;
}

bool isIdentity(const LinearForm& form) {
    return isZero(form.first) && isZero(form.second) && isZero(form.constant);
}

bool hasInfinitelyManySolutions(Algebra& algebra, const MShiki& a, const MShiki& b, Messages& messages) {
    const std::optional<LinearForm> f = linearForm(algebra, a, messages);
    const std::optional<LinearForm> g = linearForm(algebra, b, messages);
    if (!f || !g) return false;
    if (isZero(f->first) && isZero(f->second) && isZero(g->first) && isZero(g->second))
        return isZero(f->constant) && isZero(g->constant);
    // Rank one: every 2x2 minor of the two rows (x, y, constant) vanishes.
    StepGuard guard;
    const bool dependent = isZero(minor(guard, f->first, f->second, g->first, g->second, messages)) &&
                           isZero(minor(guard, f->first, f->constant, g->first, g->constant, messages)) &&
                           isZero(minor(guard, f->second, f->constant, g->second, g->constant, messages));
    return guard.ok() && dependent;
}

} // namespace tavolini
