// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "desktop/drawing/qimage_canvas.h"
#include "presentation/equation_layout.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

QRgb pixel(const QImageCanvas& canvas, int x, int y) {
    return canvas.image().pixel(x, y) & 0xFFFFFFu;
}

constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Red = 0xFF0000;
constexpr QRgb Blue = 0x0000FF;

// The smallest rectangle around every pixel that is not white.
QRect inked(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != White) box |= QRect(x, y, 1, 1);
    return box;
}

TEST(QImageCanvas, ShowsTheProgramsFontsThroughTheirLookAlikes) {
    struct Row {
        CanvasFont font;
        const char* family;
        int pixels;
    };
    CanvasFont gothic = labelFontDefault();
    gothic.face = cp932("ＭＳ ゴシック");
    gothic.size = 16;
    CanvasFont small = numberFontDefault();
    small.size = 12;
    const Row rows[] = {
        {numberFontDefault(), "TeX Gyre Bonum", 19},
        {small, "TeX Gyre Bonum", 16},
        {labelFontDefault(), "IPAPGothic", 12},
        {gothic, "IPAGothic", 21},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.family);
        const QFont font = qtFont(row.font);
        EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(row.family));
        EXPECT_EQ(font.pixelSize(), row.pixels);
        EXPECT_EQ(QFontInfo(font).italic(), row.font.italic);
    }
}

TEST(QImageCanvas, DrawsLinesWithoutTheirEndPoint) {
    QImageCanvas canvas(QSize(100, 69), QSize(100, 70));
    canvas.setPen(clBlue, PenMode::Copy);
    canvas.line(2, 42, 22, 42);
    EXPECT_EQ(pixel(canvas, 1, 42), White);
    EXPECT_EQ(pixel(canvas, 2, 42), Blue);
    EXPECT_EQ(pixel(canvas, 21, 42), Blue);
    EXPECT_EQ(pixel(canvas, 22, 42), White);
    EXPECT_EQ(inked(canvas.image()), QRect(2, 42, 20, 1));

    canvas.clear();
    canvas.setPen(clBlue, PenMode::Copy);
    canvas.line(22, 10, 2, 10); // drawn backwards: the start is in, the end out
    canvas.line(50, 5, 50, 5);  // no length, no pixel
    canvas.line(60, 3, 60, 0);
    EXPECT_EQ(pixel(canvas, 22, 10), Blue);
    EXPECT_EQ(pixel(canvas, 2, 10), White);
    EXPECT_EQ(pixel(canvas, 50, 5), White);
    EXPECT_EQ(pixel(canvas, 60, 3), Blue);
    EXPECT_EQ(pixel(canvas, 60, 0), White);
    EXPECT_EQ(inked(canvas.image()), QRect(QPoint(3, 1), QPoint(60, 10)));
}

TEST(QImageCanvas, OutlinesThePixelsInsideTheCorners) {
    QImageCanvas canvas(QSize(303, 69), QSize(303, 70));
    canvas.setPen(clRed, PenMode::Copy);
    canvas.rectangle(1, 0, 302, 68);
    EXPECT_EQ(inked(canvas.image()), QRect(QPoint(1, 0), QPoint(301, 67)));
    EXPECT_EQ(pixel(canvas, 1, 0), Red);
    EXPECT_EQ(pixel(canvas, 301, 67), Red);
    EXPECT_EQ(pixel(canvas, 150, 67), Red);
    EXPECT_EQ(pixel(canvas, 150, 30), White);
}

TEST(QImageCanvas, NotXorTwiceRestoresEveryPixel) {
    QImageCanvas canvas(QSize(120, 69), QSize(120, 70));
    CanvasFont font = numberFontDefault();
    font.colour = clBlue;
    canvas.setFont(font);
    canvas.textOut(0, 0, "8888888888");
    canvas.setPen(clBlack, PenMode::Copy);
    canvas.line(0, 5, 120, 5);
    const QImage before = canvas.image();

    canvas.setPen(clRed, PenMode::NotXor);
    canvas.rectangle(1, 0, 119, 68);
    EXPECT_EQ(pixel(canvas, 60, 67), Red);     // red over white
    EXPECT_EQ(pixel(canvas, 1, 5), 0x00FFFFu); // over black it shows the inverse
    EXPECT_NE(canvas.image(), before);
    canvas.rectangle(1, 0, 119, 68);
    EXPECT_EQ(canvas.image(), before);

    canvas.line(0, 7, 119, 30);
    canvas.line(0, 7, 119, 30);
    EXPECT_EQ(canvas.image(), before);
}

TEST(QImageCanvas, PutsTextBelowAndRightOfItsPoint) {
    QImageCanvas canvas(QSize(100, 69), QSize(100, 70));
    canvas.setFont(numberFontDefault());
    canvas.textOut(10, 32, "8");
    const QRect box = inked(canvas.image());
    EXPECT_GE(box.left(), 10);
    EXPECT_GE(box.top(), 32);
    EXPECT_LE(box.bottom(), 32 + 24); // within the text's line height
    EXPECT_LE(box.right(), 10 + 19);
}

TEST(QImageCanvas, ClearingGivesAFreshWhitePictureAndSurface) {
    QImageCanvas canvas(QSize(295, 50), QSize(415, 70));
    EXPECT_EQ(canvas.image().size(), QSize(415, 70));
    EXPECT_EQ(canvas.width(), 295);
    EXPECT_EQ(canvas.height(), 50);
    canvas.setFont(numberFontDefault());
    canvas.setPen(clRed, PenMode::NotXor);
    canvas.fillRect(0, 0, 415, 70, clBlue);
    canvas.clear();
    EXPECT_EQ(canvas.font(), clearedSurfaceFont());
    EXPECT_TRUE(inked(canvas.image()).isEmpty());
    canvas.line(0, 0, 3, 0); // the pen is black and copies again
    EXPECT_EQ(pixel(canvas, 0, 0), 0u);
}

TEST(QImageCanvas, ClipsDrawingToThePicture) {
    QImageCanvas canvas(QSize(50, 50), QSize(50, 50));
    canvas.setPen(clRed, PenMode::NotXor);
    canvas.rectangle(-10, -10, 500, 500);
    canvas.line(-100, 20, 1000, 20);
    canvas.fillRect(40, 40, 4000, 4000, clBlue);
    canvas.textOut(-500, 5000, "x");
    EXPECT_EQ(pixel(canvas, 0, 20), Red);
    EXPECT_EQ(pixel(canvas, 49, 49), Blue);
}

// An equation's minus is as wide as its plus; a sentence keeps its hyphen.
TEST(QImageCanvas, DrawsAnEquationsMinusAsWideAsItsPlus) {
    const auto inkWidth = [](const CanvasFont& font, const char* text) {
        QImageCanvas canvas(QSize(60, 40), QSize(60, 40));
        canvas.setFont(font);
        canvas.textOut(10, 5, text);
        return inked(canvas.image()).width();
    };
    const CanvasFont equation = numberFontDefault();
    EXPECT_NEAR(inkWidth(equation, "-"), inkWidth(equation, "+"), 1);
    EXPECT_LT(inkWidth(labelFontDefault(), "-"), inkWidth(labelFontDefault(), "+") - 2);
}

// At a device pixel ratio of 2 the picture has twice the pixels each way and
// its text is drawn at that resolution, not enlarged from the 1x drawing.
TEST(QImageCanvas, DrawsAtTheScreensDevicePixelRatio) {
    const auto render = [](qreal ratio) {
        QImageCanvas canvas(QSize(80, 40), QSize(80, 40), ratio);
        canvas.setFont(numberFontDefault());
        canvas.textOut(4, 4, "2x-3y");
        canvas.setPen(clRed, PenMode::NotXor);
        canvas.rectangle(0, 0, 80, 40);
        return canvas.image();
    };
    const QImage sharp = render(2);
    const QImage enlarged = render(1).scaled(160, 80);
    ASSERT_EQ(sharp.size(), QSize(160, 80));
    EXPECT_EQ(sharp.devicePixelRatio(), 2);
    EXPECT_EQ(sharp.pixel(1, 1) & 0xFFFFFFu, Red); // a layout pixel of the outline covers 2 x 2
    EXPECT_EQ(sharp.pixel(2, 2) & 0xFFFFFFu, White);
    int differing = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 160; ++x)
            differing += sharp.pixel(x, y) != enlarged.pixel(x, y);
    EXPECT_GT(differing, 100);
}

} // namespace
} // namespace tavolini
