// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/platform/fonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

// Whether ink crosses the middle of a drawn "0": a plain zero is hollow
// there, a slashed or dotted one is not.
bool zeroIsCrossed(const QFont& font) {
    QImage image(font.pixelSize() * 2, font.pixelSize() * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("0"));
    painter.end();
    const auto inked = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(x, y)) ink |= QRect(x, y, 1, 1);
    const QPoint middle = ink.center();
    return inked(middle.x(), middle.y() - 1) || inked(middle.x(), middle.y()) ||
           inked(middle.x(), middle.y() + 1);
}

TEST(Fonts, TheZeroThePupilReadsIsPlain) {
    QFont message = plainZeroGothicFont(16);
    message.setBold(true);
    QFont slashed = shippedFont(Face::Gothic, 16);
    slashed.setBold(true);
    const struct {
        const char* name;
        QFont font;
        bool crossed;
    } rows[] = {
        {"the page's message, 16 px bold", message, false},
        {"the editor's text, 16 px", plainZeroGothicFont(16), false},
        {"12 px", plainZeroGothicFont(12), false},
        {"IPAGothic alone, which slashes it", slashed, true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(zeroIsCrossed(row.font), row.crossed) << row.name;
}

// The editor's columns line up only if a half-width character is half a
// full-width one, as in 'ＭＳ ゴシック'.
TEST(Fonts, ThePlainZeroGothicKeepsEqualWidth) {
    for (int pixels : {12, 16}) {
        const QFontMetrics metrics(plainZeroGothicFont(pixels));
        for (const QString& text : {QStringLiteral("00"), QStringLiteral("Ox"), QStringLiteral(u"ｱｲ")})
            EXPECT_EQ(metrics.horizontalAdvance(text), metrics.horizontalAdvance(QStringLiteral(u"分")))
                << pixels << " px: " << text.toStdString();
    }
}

} // namespace
} // namespace tavolini
