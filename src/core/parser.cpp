// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/parser.h"

#include "core/cp932.h"
#include "core/digits.h"
#include "core/messages.h"
#include "core/token_kinds.h"

#include <algorithm>
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

std::string hexBytes(std::string_view bytes) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string name = "0x";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        name += Hex[b >> 4];
        name += Hex[b & 0x0F];
    }
    return name;
}

// How a refused character at the start of `rest` is shown: as itself when it
// can be seen, otherwise by a name or its code, since a control byte or a
// broken double-byte character would leave the message box empty.
std::string badCharacterName(std::string_view rest) {
    const auto b = static_cast<unsigned char>(rest.front());
    if (b == '\t') return cp932("タブ");
    if (b == '\n' || b == '\r') return cp932("改行");
    if (b < 0x20 || b == 0x7F || b == 0x80 || b == 0xA0 || b >= 0xFD) return hexBytes(rest.substr(0, 1));
    if (!isCp932LeadByte(rest.front())) return std::string(rest.substr(0, 1));
    if (rest.size() < 2 || !isCp932TrailByte(rest[1])) return hexBytes(rest.substr(0, 1));
    // A lead and a trail byte can still name no character (an unassigned code).
    const std::string_view pair = rest.substr(0, 2);
    return utf8FromCp932(pair).find('?') != std::string::npos ? hexBytes(pair) : std::string(pair);
}

// What the teacher wrote that would have been read as something else; the
// other structural faults speak for themselves in the problem's own message.
const char* misreadingReason(ParseError error) {
    switch (error) {
    case ParseError::TimesWithoutNumber:
    case ParseError::TimesWithoutFactor:
        return "「*」は数と文字（かっこ）の間にだけ書けます";
    case ParseError::SignWithoutTerm:
        return "符号の後ろに項がありません";
    case ParseError::BracketMismatch:
        return "かっこの種類が合っていません";
    case ParseError::EmptyBrackets:
        return "かっこの中が空です";
    default:
        return nullptr;
    }
}

void reportBadNumber(Messages& messages) {
    tell(messages, cp932("エラー！数字の表現が不正です"));
}

// Takes the run of digits at `position`, looking at no more than one digit
// past the limit. A run that is too long is reported and fails the parse; a
// missing run is reported and yields no digits.
std::string_view takeDigits(Algebra& algebra, std::string_view text, std::size_t& position,
                            Messages& messages) {
    position = std::min(position, text.size());
    const std::size_t start = position;
    while (position < text.size() && position - start <= MaxNumberDigits && isDigit(text[position]))
        ++position;
    const std::string_view digits = text.substr(start, position - start);
    if (digits.size() > MaxNumberDigits) {
        tell(messages, std::string(digits) + cp932("：エラー！数字は５桁以下です"));
        algebra.parseError = ParseError::TooManyDigits;
        return {};
    }
    if (digits.empty()) reportBadNumber(messages);
    return digits;
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

// Exactly one '=', outside every bracket group and with something on each
// side, and every group closed: the shape every operation relies on.
bool isOneEquation(const MShiki& equation) {
    int depth = 0;
    int equalsSigns = 0;
    int equalsAt = -1;
    for (int i = 0; i < equation.count; ++i) {
        const char kind = tokenAt(equation, i).kind;
        if (isGroupOpening(kind)) {
            ++depth;
        } else if (isGroupClosing(kind)) {
            if (--depth < 0) return false;
        } else if (kind == '=') {
            if (depth != 0) return false;
            ++equalsSigns;
            equalsAt = i;
        }
    }
    return depth == 0 && equalsSigns == 1 && equalsAt > 0 && equalsAt < equation.count - 1;
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
            else if (c == '=' || isOpening(c))
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
        if (ok() && m_hasPending) store(makeToken(m_pending.num, m_pending.den, '/'));
        if (ok() && m_equation.count < 3) fail(ParseError::TooFewTokens);
        if (ok() && !isOneEquation(m_equation)) fail(ParseError::NotAnEquation);
        return ok();
    }

  private:
    bool ok() const { return m_algebra.parseError == ParseError::None; }
    void fail(ParseError error) {
        m_algebra.parseError = error;
        if (const char* reason = misreadingReason(error)) tell(m_messages, cp932(reason));
    }

    void store(ShikiToken token) {
        if (!pushToken(m_equation, token)) fail(ParseError::TooManyTokens);
    }

    // '=', a closing bracket and the end of the text close what came before:
    // a '*' or a sign there would have nothing to act on and be dropped.
    bool endsSideCleanly() {
        if (m_previous == '*') fail(ParseError::TimesWithoutFactor);
        if (m_previous == '+' || m_previous == '-') fail(ParseError::SignWithoutTerm);
        return ok();
    }

    void storePending() {
        if (!m_hasPending) return;
        store(m_pending);
        m_hasPending = false;
    }

    void number() {
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
        if (m_previous == c) return fail(ParseError::SameLetterTwice);
        if (m_previous == '=' || m_previous == '+' || isOpening(m_previous))
            m_pending = TokenOne;
        else if (m_previous == '-')
            m_pending = makeToken(-1, 1, '/');
        // Otherwise the term takes the number just read, or the previous term's value.
        store(makeToken(m_pending.num, m_pending.den, c));
        m_hasPending = false;
        m_previous = c;
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
            return fail(c == '-' ? ParseError::MinusAfterSign : ParseError::PlusAfterSign);
        m_sign = c == '-' ? -1 : 1;
        storePending();
        m_previous = c;
    }

    void opening(char c) {
        // Corner brackets group nothing, so a factor or a sign before them
        // would silently become a term of its own.
        if (c == OpenCorner && (m_hasPending || m_previous == '-'))
            return fail(ParseError::FactorBeforeCorner);
        if (c == '=' && !endsSideCleanly()) return;
        if (c != '=') m_open.push_back(c);
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
        // A closing bracket with none open is left to the equation's shape check.
        if (!m_open.empty() && c != closingOf(m_open.back())) return fail(ParseError::BracketMismatch);
        if (!m_hasPending && m_equation.count > 0 &&
            isOpening(tokenAt(m_equation, m_equation.count - 1).kind))
            return fail(ParseError::EmptyBrackets);
        if (!m_open.empty()) m_open.pop_back();
        storePending();
        store(makeToken(0, 1, c));
        m_previous = '=';
    }

    void badCharacter() {
        tell(m_messages, badCharacterName(m_text.substr(m_position)));
        fail(ParseError::BadCharacter);
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
    std::string m_open; // the brackets still open, innermost last
};

} // namespace

std::int32_t readDigits(Algebra& algebra, std::string_view text, std::size_t& position, Messages& messages) {
    return digitsValue(takeDigits(algebra, text, position, messages));
}

ShikiToken parseNumber(Algebra& algebra, std::string_view text, std::size_t& position, Messages& messages) {
    const std::int32_t integerPart = readDigits(algebra, text, position, messages);
    if (algebra.parseError != ParseError::None) return TokenZero;

    ShikiToken number = makeToken(integerPart, 1, '/');
    const char next = position < text.size() ? text[position] : '\0';
    if (next == '.') {
        ++position;
        std::string_view fraction = takeDigits(algebra, text, position, messages);
        if (algebra.parseError != ParseError::None) return TokenZero;
        if (fraction.empty()) fraction = "0";
        if (std::to_string(integerPart).size() + fraction.size() > MaxNumberDigits) {
            tell(messages, cp932("整数部と小数部の合計桁数は５以内です"));
            algebra.parseError = ParseError::DecimalTooLong;
            return TokenZero;
        }
        number.den = powerOfTen(fraction.size());
        number.num = integerPart * number.den + digitsValue(fraction);
    } else if (next == '/' || next == '|') {
        number.kind = next;
        ++position;
        number.den = readDigits(algebra, text, position, messages);
        if (algebra.parseError != ParseError::None) return TokenZero;
    }
    if (number.den == 0) {
        algebra.parseError = ParseError::ZeroDenominator;
        return TokenZero;
    }
    return reduceToken(number);
}

bool parseEquation(Algebra& algebra, MShiki& equation, std::string_view text, Messages& messages) {
    algebra.parseError = ParseError::None;
    if (text.size() > MaxEquationTextBytes) {
        algebra.parseError = ParseError::TextTooLong;
        return false;
    }
    algebra.hasDecimalPoint = text.find('.') != std::string_view::npos;
    equation.count = 0;
    return EquationParser(algebra, messages, equation, text).run();
}

} // namespace tavolini
