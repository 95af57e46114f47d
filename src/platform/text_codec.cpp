// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "platform/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tavolini {
namespace {

constexpr const char* CodecName = "Shift_JIS";

} // namespace

QString fromCp932(std::string_view text) {
    QStringDecoder decoder(CodecName);
    return decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string toCp932(const QString& text) {
    QStringEncoder encoder(CodecName);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::optional<std::string> toCp932Exactly(const QString& text) {
    QStringEncoder encoder(CodecName);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) return std::nullopt;
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace tavolini
