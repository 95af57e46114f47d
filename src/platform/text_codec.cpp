// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "platform/text_codec.h"

#include "core/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtGlobal>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace tavolini {
namespace {

constexpr const char* CodecName = "Shift_JIS";
constexpr char16_t Replacement = u'\uFFFD';
constexpr char Substitute = '?';

constexpr unsigned FirstLead = 0x81;
constexpr unsigned LastLead = 0xFC;

// Characters that input methods type, or that JIS X 0208 and IBM's tables
// give, where code page 932 keeps the same character under another code
// point. They are written as that character; reading it back gives code page
// 932's code point.
constexpr std::array<std::pair<char16_t, std::uint16_t>, 8> Equivalents{{
    {u'\u301C', 0x8160}, // 〜, read back as ～ U+FF5E
    {u'\u2016', 0x8161}, // ‖, as ∥ U+2225
    {u'\u2212', 0x817C}, // −, as － U+FF0D
    {u'\u2014', 0x815C}, // —, as ― U+2015
    {u'\u00A2', 0x8191}, // ¢, as ￠ U+FFE0
    {u'\u00A3', 0x8192}, // £, as ￡ U+FFE1
    {u'\u00AC', 0x81CA}, // ¬, as ￢ U+FFE2
    {u'\u00A6', 0xFA55}, // ¦, as ￤ U+FFE4
}};

// Code page 932 in both directions. The double-byte characters are read once
// from Qt's codec, which agrees with code page 932 there, and so does its
// choice among a character's several codes (NEC row 13 before the IBM
// extensions, these before the NEC-selected copies, as Windows and glibc
// write them; Python's codec writes the copies). Its single bytes come
// from IBM's tables instead (0x1A, 0x1C and 0x7F swapped; nothing at 0x80,
// 0xA0, 0xFD to 0xFF), and its encoder takes U+F86F and drops U+FEFF: so the
// single bytes are our own and only what decodes can be encoded.
// The rows of the double-byte table are read when first met, and the
// encoding table when first wanted: reading them all takes longer than the
// rest of the program's start, which meets a row or two.
struct Tables {
    std::array<char16_t, 256> singleByte{}; // 0 for a lead byte
    std::vector<char16_t> doubleByte = std::vector<char16_t>((LastLead - FirstLead + 1) * 256); // 0: none
    std::array<bool, LastLead - FirstLead + 1> rowRead{};
    std::vector<std::uint16_t> encoded = std::vector<std::uint16_t>(0x10000); // a byte or lead << 8 | trail
    bool encodingRead = false;
};

std::size_t pairIndex(unsigned lead, unsigned trail) {
    return (lead - FirstLead) * 256 + trail;
}

void readSingleBytes(Tables& t) {
    for (unsigned b = 0; b < 0x80; ++b)
        t.singleByte[b] = static_cast<char16_t>(b);
    for (unsigned b = 0xA1; b <= 0xDF; ++b)
        t.singleByte[b] = static_cast<char16_t>(0xFF61 + (b - 0xA1));
    t.singleByte[0x80] = u'\u0080';
    t.singleByte[0xA0] = u'\uF8F0';
    for (unsigned b = 0xFD; b <= 0xFF; ++b)
        t.singleByte[b] = static_cast<char16_t>(0xF8F1 + (b - 0xFD));
    for (unsigned b = 0; b < 256; ++b)
        if (t.singleByte[b] != 0) t.encoded[t.singleByte[b]] = static_cast<std::uint16_t>(b);
}

QStringDecoder doubleByteDecoder() {
    QStringDecoder decoder(CodecName, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid()) qFatal("Qt has no Shift_JIS codec: code page 932 cannot be read");
    return decoder;
}

void readRow(Tables& t, unsigned lead) {
    t.rowRead[lead - FirstLead] = true;
    if (!isCp932LeadByte(static_cast<char>(lead))) return;
    QStringDecoder decoder = doubleByteDecoder();
    for (unsigned trail = 0; trail < 256; ++trail) {
        if (!isCp932TrailByte(static_cast<char>(trail))) continue;
        const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
        // A code it has no character for comes back as U+FFFD.
        const QString c = decoder.decode(QByteArrayView(pair, 2));
        if (c.size() != 1 || c[0] == QChar(Replacement)) continue;
        t.doubleByte[pairIndex(lead, trail)] = c[0].unicode();
    }
}

char16_t doubleByte(Tables& t, unsigned lead, unsigned trail) {
    if (!t.rowRead[lead - FirstLead]) readRow(t, lead);
    return t.doubleByte[pairIndex(lead, trail)];
}

void readEncoding(Tables& t) {
    t.encodingRead = true;
    QStringEncoder encoder(CodecName, QStringEncoder::Flag::Stateless);
    if (!encoder.isValid()) qFatal("Qt has no Shift_JIS codec: code page 932 cannot be written");
    for (unsigned lead = FirstLead; lead <= LastLead; ++lead) {
        for (unsigned trail = 0; trail < 256; ++trail) {
            const char16_t c = doubleByte(t, lead, trail);
            if (c == 0 || t.encoded[c] != 0) continue;
            // The first code for the character, unless Qt chooses another that reads back as it.
            std::uint16_t code = static_cast<std::uint16_t>(lead << 8 | trail);
            const QByteArray chosen = encoder.encode(QStringView(&c, 1));
            if (chosen.size() == 2) {
                const auto l = static_cast<unsigned char>(chosen[0]),
                           r = static_cast<unsigned char>(chosen[1]);
                if (l >= FirstLead && l <= LastLead && doubleByte(t, l, r) == c)
                    code = static_cast<std::uint16_t>(l << 8 | r);
            }
            t.encoded[c] = code;
        }
    }
    for (const auto& [c, code] : Equivalents)
        if (t.encoded[c] == 0) t.encoded[c] = code;
}

// The one user-interface thread reads and fills it.
Tables& tables() {
    static Tables t = [] {
        Tables read;
        readSingleBytes(read);
        return read;
    }();
    return t;
}

Tables& encodingTables() {
    Tables& t = tables();
    if (!t.encodingRead) readEncoding(t);
    return t;
}

struct Encoded {
    std::string bytes;
    char32_t unencodable = 0;
};

Encoded encode(const QString& text) {
    const Tables& t = encodingTables();
    Encoded out;
    out.bytes.reserve(static_cast<std::size_t>(text.size()) * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const std::uint16_t code = t.encoded[c];
        if (code > 0xFF) out.bytes += static_cast<char>(code >> 8);
        if (code != 0 || c == 0) {
            out.bytes += static_cast<char>(code & 0xFF);
            continue;
        }
        char32_t missing = c;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            missing = QChar::surrogateToUcs4(c, text[++i].unicode());
        out.bytes += Substitute;
        if (out.unencodable == 0) out.unencodable = missing;
    }
    return out;
}

} // namespace

QString fromCp932(std::string_view text) {
    Tables& t = tables();
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (!isCp932LeadByte(text[i])) {
            out += QChar(t.singleByte[b]);
            continue;
        }
        // A lead byte without its trail shows alone; the next byte is read afresh.
        const char16_t c =
            i + 1 < text.size() ? doubleByte(t, b, static_cast<unsigned char>(text[i + 1])) : 0;
        out += QChar(c != 0 ? c : Replacement);
        if (c != 0) ++i;
    }
    return out;
}

std::string toCp932(const QString& text) {
    return encode(text).bytes;
}

std::optional<std::string> toCp932Exactly(const QString& text) {
    Encoded encoded = encode(text);
    if (encoded.unencodable != 0) return std::nullopt;
    return std::move(encoded.bytes);
}

char32_t firstUnencodable(const QString& text) {
    return encode(text).unencodable;
}

} // namespace tavolini
