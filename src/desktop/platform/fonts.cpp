// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/platform/fonts.h"

#include "desktop/platform/text_codec.h"

#include <QStringList>
#include <algorithm>

namespace tavolini {

QString shippedFamily(Face face) {
    return QString::fromLatin1(shippedFamilyName(face));
}

QFont shippedFont(Face face, int pixelSize) {
    QFont font(shippedFamily(face));
    font.setPixelSize(std::max(1, pixelSize));
    return font;
}

QFont plainZeroGothicFont(int pixelSize) {
    QFont font = shippedFont(Face::Gothic, pixelSize);
    font.setFamilies(QStringList{QStringLiteral("BIZ UDGothic"), shippedFamily(Face::Gothic)});
    return font;
}

} // namespace tavolini
