// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/parser.h"

#include "core/cp932.h"
#include "core/digits.h"
#include "core/messages.h"
#include "core/token_kinds.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace tavolini {
namespace {

constexpr char MiddleDot = '\xA5'; // half-width '･'

bool isOpening(char c) {
    return isGroupOpening(c) || c == OpenCorner;
}
bool isClosing(char c) {
    return isGroupClosing(c) || c == CloseCorner;
}

char closingOf(char opening) {
    switch (opening) {
    case '(':
        return ')';
    case '[':
        return ']';
    case '{':
        return '}';
    default:
        return CloseCorner;
    }
}

std::string quoted(std::string_view text) {
    return cp932("「") + std::string(text) + cp932("」");
}

// The sentence of a fault that needs no part of the text to be understood.
const char* faultSentence(ParseError error) {
    switch (error) {
    case ParseError::TextTooLong:
        return "式が長すぎます（半角50文字までです）";
    case ParseError::TooFewTokens:
        return "式がありません";
    case ParseError::TooManyTokens:
        return "項やかっこが多すぎます";
    case ParseError::NumberAfterNumber:
        return "数が2つ並んでいます";
    case ParseError::NotAnEquation:
        return "「=」がありません";
    case ParseError::FactorBeforeCorner:
        return "「｢」の前に数や符号は書けません";
    case ParseError::TimesWithoutNumber:
    case ParseError::TimesWithoutFactor:
        return "「*」は数と文字（かっこ）の間にだけ書けます";
    case ParseError::SignWithoutTerm:
        return "符号の後ろに項がありません";
    case ParseError::BracketMismatch:
        return "かっこの種類が合っていません";
    case ParseError::EmptyBrackets:
        return "かっこの中が空です";
    case ParseError::ProductOfFactors:
        return "文字やかっこの積は使えません";
    case ParseError::NumberAfterFactor:
        return "文字やかっこの後ろに数は書けません（数は前に書きます）";
    case ParseError::TwoEqualsSigns:
        return "「=」が2つあります";
    case ParseError::DecimalTooLong:
        return "整数部と小数部の合計桁数は５以内です";
    // These name what was written, so their callers always give the text.
    case ParseError::None:
    case ParseError::MultiplicationSign:
    case ParseError::FullWidthCharacter:
    case ParseError::PointWithoutDigits:
    case ParseError::EmptySide:
    case ParseError::BracketNotClosed:
    case ParseError::BracketNotOpened:
    case ParseError::MinusAfterSign:
    case ParseError::PlusAfterSign:
    case ParseError::BadCharacter:
    case ParseError::SameLetterTwice:
    case ParseError::ZeroDenominator:
    case ParseError::TooManyDigits:
        break;
    }
    return "";
}

void refuse(Algebra& algebra, Messages& messages, ParseError error, std::string message) {
    algebra.parseError = error;
    tell(messages, std::move(message));
}

void refuse(Algebra& algebra, Messages& messages, ParseError error) {
    refuse(algebra, messages, error, cp932(faultSentence(error)));
}

struct Refusal {
    ParseError error;
    std::string message;
};

// Why the character at the start of `rest` is refused. It is named so that
// the message can be seen whatever the character: a control byte or a
// broken double-byte character would leave a message box empty.
Refusal refusedCharacter(std::string_view rest) {
    const auto b = static_cast<unsigned char>(rest.front());
    const auto bad = [](std::string text) { return Refusal{ParseError::BadCharacter, std::move(text)}; };
    const auto unreadable = [&bad](std::string_view bytes) {
        return bad(cp932("読めない文字（") + hexBytes(bytes) + cp932("）は使えません"));
    };
    if (b == '\t') return bad(cp932("タブは使えません"));
    if (b == '\n' || b == '\r') return bad(cp932("改行は使えません"));
    if (isControlByte(rest.front()))
        return bad(cp932("制御文字（") + hexBytes(rest.substr(0, 1)) + cp932("）は使えません"));
    if (b == 0x80 || b == 0xA0 || b >= 0xFD) return unreadable(rest.substr(0, 1));
    if (!isCp932LeadByte(rest.front())) return bad(quoted(rest.substr(0, 1)) + cp932("は使えません"));
    if (rest.size() < 2 || !isCp932TrailByte(rest[1])) return unreadable(rest.substr(0, 1));
    const std::string_view pair = rest.substr(0, 2);
    const std::optional<char16_t> c =
        decodeCp932(static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(rest[1])));
    if (!c) return unreadable(pair); // a lead and a trail byte that name no character
    if (*c == u'×' || *c == u'・')
        return {ParseError::MultiplicationSign, cp932("かけ算の記号") + quoted(pair) + cp932("は使えません")};
    if ((*c >= u'！' && *c <= u'～') || *c == u'　')
        return {ParseError::FullWidthCharacter, quoted(pair) + cp932("は使えません（半角で書きます）")};
    return bad(quoted(pair) + cp932("は使えません"));
}

// Takes the whole run of digits at `position`.
std::string_view digitRun(std::string_view text, std::size_t& position) {
    position = std::min(position, text.size());
    const std::size_t start = position;
    while (position < text.size() && isDigit(text[position]))
        ++position;
    return text.substr(start, position - start);
}

// A number with a run of digits longer than a number may have, shown whole.
void refuseLongNumber(Algebra& algebra, Messages& messages, std::string_view number) {
    refuse(algebra, messages, ParseError::TooManyDigits,
           std::string(number) + cp932("：エラー！数字は５桁以下です"));
}

void recordUnknown(Algebra& algebra, char letter) {
    if (algebra.unknown1 == '?') {
        algebra.unknown1 = letter;
    } else if (letter != algebra.unknown1 && algebra.unknown2 == '?') {
        algebra.unknown2 = letter;
        if (static_cast<unsigned char>(algebra.unknown1) > static_cast<unsigned char>(algebra.unknown2))
            std::swap(algebra.unknown1, algebra.unknown2);
    }
}

// One pass over an equation text. A number is held back ("pending") until
// the next sign, bracket, '=' or letter shows what it belongs to.
class EquationParser {
  public:
    EquationParser(Algebra& algebra, Messages& messages, MShiki& equation, std::string_view text)
        : m_algebra(algebra), m_messages(messages), m_equation(equation), m_text(text) {}

    bool run() {
        while (m_position < m_text.size() && ok()) {
            const char c = m_text[m_position];
            if (isDigit(c)) {
                number();
                continue;
            }
            if (isLetter(c))
                letter(c);
            else if (c == '*')
                times();
            else if (c == '+' || c == '-')
                sign(c);
            else if (c == '=')
                equals();
            else if (isOpening(c))
                opening(c);
            else if (isClosing(c))
                closing(c);
            else if (c == ' ' || c == MiddleDot) {
                ++m_position; // spaces neither count nor change what came before
                continue;
            } else
                badCharacter();
            ++m_position;
        }
        if (ok()) endsSideCleanly();
        if (ok() && !m_open.empty()) notClosed();
        if (ok() && m_hasPending) store(makeToken(m_pending.num, m_pending.den, '/'));
        if (ok() && m_equation.count == 0) fail(ParseError::TooFewTokens);
        if (ok() && !m_equalsSeen) fail(ParseError::NotAnEquation);
        if (ok() && tokenAt(m_equation, m_equation.count - 1).kind == '=')
            fail(ParseError::EmptySide, cp932("「=」の右に式がありません"));
        return ok();
    }

  private:
    bool ok() const { return m_algebra.parseError == ParseError::None; }
    void fail(ParseError error) { refuse(m_algebra, m_messages, error); }
    void fail(ParseError error, std::string message) {
        refuse(m_algebra, m_messages, error, std::move(message));
    }

    // After a failure nothing more is stored or told.
    void store(ShikiToken token) {
        if (ok() && !pushToken(m_equation, token)) fail(ParseError::TooManyTokens);
    }

    // '=', a closing bracket and the end of the text close what came before:
    // a '*' or a sign there would have nothing to act on and be dropped.
    bool endsSideCleanly() {
        if (m_previous == '*') fail(ParseError::TimesWithoutFactor);
        if (m_previous == '+' || m_previous == '-') fail(ParseError::SignWithoutTerm);
        return ok();
    }

    void notClosed() {
        fail(ParseError::BracketNotClosed,
             cp932("かっこ") + quoted(std::string(1, m_open.back())) + cp932("が閉じていません"));
    }

    void storePending() {
        if (!m_hasPending) return;
        store(m_pending);
        m_hasPending = false;
    }

    void number() {
        // A number after a letter or a bracket would be read as a term of
        // its own: "x2" as x+2.
        if (m_termEnded) return fail(ParseError::NumberAfterFactor);
        // Two numbers with nothing between them that places the first would
        // silently lose the first one.
        if (m_hasPending) return fail(ParseError::NumberAfterNumber);
        const ShikiToken value = parseNumber(m_algebra, m_text, m_position, m_messages);
        if (!ok()) return;
        m_pending = makeToken(value.num * m_sign, value.den, value.kind);
        m_sign = 1;
        m_hasPending = true;
        m_previous = m_text[m_position - 1];
    }

    void letter(char c) {
        recordUnknown(m_algebra, c);
        if (m_previous == c)
            return fail(ParseError::SameLetterTwice,
                        cp932("同じ文字") + quoted(std::string(1, c)) + cp932("が続いています"));
        // A product would be read as a sum: "2xy" as 2x+2y.
        if (m_termEnded) return fail(ParseError::ProductOfFactors);
        if (m_previous == '=' || m_previous == '+' || isOpening(m_previous))
            m_pending = TokenOne;
        else if (m_previous == '-')
            m_pending = makeToken(-1, 1, '/');
        // Otherwise the term takes the number just read.
        store(makeToken(m_pending.num, m_pending.den, c));
        m_hasPending = false;
        m_previous = c;
        m_termEnded = true;
    }

    // A written '*' is kept as a token; a number before it stays pending and
    // is stored after it. The operations skip the token, so it is only sound
    // right after a number: "x*y" would read as x+y.
    void times() {
        if (!m_hasPending || m_previous == '*') return fail(ParseError::TimesWithoutNumber);
        store(makeToken(0, 1, '*'));
        m_previous = '*';
    }

    void sign(char c) {
        if (m_previous == '*') return fail(ParseError::TimesWithoutFactor);
        if (m_previous == '+' || m_previous == '-')
            return fail(c == '-' ? ParseError::MinusAfterSign : ParseError::PlusAfterSign,
                        cp932("符号") + quoted(std::string{m_previous, c}) + cp932("が続いています"));
        m_sign = c == '-' ? -1 : 1;
        storePending();
        m_previous = c;
        m_termEnded = false;
    }

    void equals() {
        if (!endsSideCleanly()) return;
        if (!m_open.empty()) return notClosed();
        if (m_equalsSeen) return fail(ParseError::TwoEqualsSigns);
        if (m_equation.count == 0 && !m_hasPending)
            return fail(ParseError::EmptySide, cp932("「=」の左に式がありません"));
        m_equalsSeen = true;
        storePending();
        store(makeToken(0, 1, '='));
        m_previous = '=';
        m_sign = 1;
        m_termEnded = false;
    }

    void opening(char c) {
        // "x(y+1)" is a product, which the flat token list cannot hold.
        if (m_termEnded) return fail(ParseError::ProductOfFactors);
        // Corner brackets group nothing, so a factor or a sign before them
        // would silently become a term of its own.
        if (c == OpenCorner && (m_hasPending || m_previous == '-'))
            return fail(ParseError::FactorBeforeCorner);
        m_open.push_back(c);
        if (m_previous == '-') {
            m_pending = makeToken(-1, 1, '/'); // "-(" is the factor -1
            m_hasPending = true;
        }
        // Every bracket group carries its factor, even an unwritten 1, so
        // that removing or scaling brackets never borrows another token.
        if (isGroupOpening(c) && !m_hasPending) store(TokenOne);
        storePending();
        store(makeToken(0, 1, c));
        m_previous = '=';
        m_sign = 1;
    }

    void closing(char c) {
        if (!endsSideCleanly()) return;
        if (m_open.empty())
            return fail(ParseError::BracketNotOpened,
                        quoted(std::string(1, c)) + cp932("の前に開きかっこがありません"));
        if (c != closingOf(m_open.back())) return fail(ParseError::BracketMismatch);
        if (!m_hasPending && m_equation.count > 0 &&
            isOpening(tokenAt(m_equation, m_equation.count - 1).kind))
            return fail(ParseError::EmptyBrackets);
        m_open.pop_back();
        storePending();
        store(makeToken(0, 1, c));
        m_previous = '=';
        m_termEnded = true;
    }

    void badCharacter() {
        Refusal refusal = refusedCharacter(m_text.substr(m_position));
        fail(refusal.error, std::move(refusal.message));
    }

    Algebra& m_algebra;
    Messages& m_messages;
    MShiki& m_equation;
    std::string_view m_text;
    std::size_t m_position = 0;
    char m_previous = '=';
    ShikiToken m_pending = TokenOne;
    bool m_hasPending = false;
    std::int32_t m_sign = 1;
    bool m_termEnded = false; // the last thing read was a letter or a closing bracket
    bool m_equalsSeen = false;
    std::string m_open; // the brackets still open, innermost last
};

} // namespace

std::int32_t readDigits(Algebra& algebra, std::string_view text, std::size_t& position, Messages& messages) {
    const std::string_view digits = digitRun(text, position);
    if (digits.size() <= MaxNumberDigits) return digitsValue(digits);
    refuseLongNumber(algebra, messages, digits);
    return 0;
}

ShikiToken parseNumber(Algebra& algebra, std::string_view text, std::size_t& position, Messages& messages) {
    const std::size_t start = std::min(position, text.size());
    const auto written = [&] { return text.substr(start, position - start); };
    const std::string_view integerDigits = digitRun(text, position);
    const char next = position < text.size() ? text[position] : '\0';
    // A decimal is read whole first, so that a long part is shown with the rest.
    std::string_view fraction;
    if (next == '.') fraction = digitRun(text, ++position);
    if (integerDigits.size() > MaxNumberDigits || fraction.size() > MaxNumberDigits) {
        refuseLongNumber(algebra, messages, written());
        return TokenZero;
    }
    const std::int32_t integerPart = digitsValue(integerDigits);

    ShikiToken number = makeToken(integerPart, 1, '/');
    if (next == '.') {
        // "1.x" would silently read as 1x.
        if (fraction.empty()) {
            refuse(algebra, messages, ParseError::PointWithoutDigits,
                   quoted(written()) + cp932("の小数点の後ろに数字がありません"));
            return TokenZero;
        }
        if (std::to_string(integerPart).size() + fraction.size() > MaxNumberDigits) {
            refuse(algebra, messages, ParseError::DecimalTooLong);
            return TokenZero;
        }
        number.den = powerOfTen(fraction.size());
        number.num = integerPart * number.den + digitsValue(fraction);
    } else if (next == '/' || next == '|') {
        number.kind = next;
        ++position;
        const std::size_t denominatorStart = position;
        number.den = readDigits(algebra, text, position, messages);
        if (algebra.parseError != ParseError::None) return TokenZero;
        if (position == denominatorStart) {
            refuse(algebra, messages, ParseError::ZeroDenominator,
                   quoted(written()) + cp932("の分母がありません"));
            return TokenZero;
        }
    }
    if (number.den == 0) {
        refuse(algebra, messages, ParseError::ZeroDenominator, quoted(written()) + cp932("の分母が０です"));
        return TokenZero;
    }
    return reduceToken(number);
}

bool parseEquation(Algebra& algebra, MShiki& equation, std::string_view text, Messages& messages) {
    algebra.parseError = ParseError::None;
    if (text.size() > MaxEquationTextBytes) {
        refuse(algebra, messages, ParseError::TextTooLong);
        return false;
    }
    algebra.hasDecimalPoint = text.find('.') != std::string_view::npos;
    equation.count = 0;
    return EquationParser(algebra, messages, equation, text).run();
}

} // namespace tavolini
