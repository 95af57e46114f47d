// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/platform/text_codec.h"

#include "core/cp932.h"

#include <QChar>
#include <cstdint>
#include <utility>

namespace tavolini {
namespace {

constexpr char16_t Replacement = u'\uFFFD';
constexpr char Substitute = '?';

struct Encoded {
    std::string bytes;
    char32_t unencodable = 0;
};

// Both ways go through the core's table, which reads and writes Windows's
// own single bytes (0x80, 0xA0, 0xFD to 0xFF) too: a text may come with them.
Encoded encode(const QString& text) {
    Encoded out;
    out.bytes.reserve(static_cast<std::size_t>(text.size()) * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (const std::optional<std::uint16_t> code = encodeCp932(c)) {
            appendCp932(out.bytes, *code);
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
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size();)
        out += QChar(nextCp932(text, i).value_or(Replacement));
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

} // namespace tavolini
