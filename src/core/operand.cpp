// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/operand.h"

#include "core/cp932.h"
#include "core/digits.h"
#include "core/messages.h"

#include <string>

namespace tavolini {
namespace {

constexpr std::size_t MaxOperandDigits = 4;
constexpr std::size_t MaxDecimalDigits = 6;

ShikiToken refuse(Messages& messages, std::string_view text, const char* utf8Reason) {
    tell(messages, std::string(text) + cp932(utf8Reason));
    return InvalidOperand;
}

ShikiToken parseDecimal(Messages& messages, std::string_view text, std::string_view rest, std::int32_t sign) {
    const std::size_t point = rest.find('.');
    const std::string_view integerDigits = rest.substr(0, point);
    const std::string_view fractionDigits = rest.substr(point + 1);
    if (!allDigits(integerDigits) || !allDigits(fractionDigits))
        return refuse(messages, text, " ←数値の表現があやまりです");
    if (integerDigits.size() + fractionDigits.size() > MaxDecimalDigits)
        return refuse(messages, text, " ←小数の長さが長すぎます");
    const std::int32_t den = powerOfTen(fractionDigits.size());
    const std::int32_t num = (digitsValue(integerDigits) * den + digitsValue(fractionDigits)) * sign;
    return reduceToken(makeToken(num, den, '/'));
}

ShikiToken parseFraction(Messages& messages, std::string_view text, std::string_view rest, std::size_t word,
                         std::size_t wordSize, std::int32_t sign) {
    const std::string_view denDigits = rest.substr(0, word);
    const std::string_view numDigits = rest.substr(word + wordSize);
    if (!allDigits(denDigits) || !allDigits(numDigits))
        return refuse(messages, text, " ←数値の表現があやまりです");
    if (denDigits.empty() || numDigits.empty()) return refuse(messages, text, " ←分数の表現があやまりです");
    if (denDigits.size() > MaxOperandDigits || numDigits.size() > MaxOperandDigits)
        return refuse(messages, text, " ←数値は４桁以下にしてください");
    const std::int32_t den = digitsValue(denDigits);
    if (den == 0) {
        tell(messages, cp932("分母が０です"));
        return InvalidOperand;
    }
    return makeToken(digitsValue(numDigits) * sign, den, '/'); // kept as typed: 4分の2 stays 2/4
}

ShikiToken parseInteger(Messages& messages, std::string_view text, std::string_view rest, std::int32_t sign) {
    if (!allDigits(rest)) return refuse(messages, text, " ←数値の表現があやまりです");
    if (rest.size() > MaxOperandDigits) return refuse(messages, text, " ←数値は４桁以下にしてください");
    return makeToken(digitsValue(rest) * sign, 1, '/');
}

} // namespace

ShikiToken parseOperand(Messages& messages, std::string_view text) {
    if (text.empty()) return TokenZero;
    const bool negative = text.front() == '-';
    const std::int32_t sign = negative ? -1 : 1;
    const std::string_view rest = negative ? text.substr(1) : text;

    // A lone "-" or "." holds no number at all.
    if (rest.empty() || rest == ".") {
        tell(messages, cp932("数を入れてください"));
        return InvalidOperand;
    }
    const std::string fractionWord = cp932("分の");
    if (rest.find('.') != std::string_view::npos) return parseDecimal(messages, text, rest, sign);
    const std::size_t word = rest.find(fractionWord);
    if (word != std::string_view::npos)
        return parseFraction(messages, text, rest, word, fractionWord.size(), sign);
    return parseInteger(messages, text, rest, sign);
}

} // namespace tavolini
