// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "platform/fonts.h"

#include "platform/text_codec.h"

#include <QStringList>
#include <algorithm>

namespace tavolini {

QString shippedFamily(Face face) {
    switch (face) {
    case Face::Equation:
        return QStringLiteral("TeX Gyre Bonum");
    case Face::Gothic:
        return QStringLiteral("IPAGothic");
    case Face::PGothic:
        break;
    }
    return QStringLiteral("IPAPGothic");
}

Face faceOfDesignName(std::string_view name) {
    if (name == "Bookman Old Style") return Face::Equation;
    if (fromCp932(name) == QStringLiteral(u"ＭＳ ゴシック")) return Face::Gothic;
    return Face::PGothic;
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
