// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// End to end: the scenario driver solves the typical road and prints it into
// a PDF of one page. Its equations are text in the equation face, and
// pdftoppm's picture of the page holds the title and the eight rows where
// the layout puts them, in order.
#include "support/temp_folder.h"

#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace tavolini {
namespace {

constexpr int PictureDpi = 100;
constexpr int PrintDpi = 600;

// What the program printed, or nothing when it failed.
std::optional<QString> run(const QString& program, const QStringList& arguments, const std::string& folder) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder));
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Ink {
    int dark = 0;
    int blue = 0;
};

Ink inkIn(const QImage& picture, QRect area) {
    Ink ink;
    area = area.intersected(picture.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            ink.dark += qGray(c.rgb()) < 128;
            ink.blue += c.blue() > 150 && c.red() < 100 && c.green() < 100;
        }
    return ink;
}

TEST(PrintPdf, TheTypicalRoadOnPaper) {
    TempFolder folder;
    std::filesystem::copy_file(TAVOLINI_DATA_DIR "/ZUdir.sim", folder / "ZUdir.sim");
    ASSERT_TRUE(run(QStringLiteral(TAVOLINI_DRIVE), {QStringLiteral(TAVOLINI_SCENARIOS "/print_road.scn")},
                    folder.path()));
    const QString road = QStringLiteral("road.pdf");

    const std::optional<QString> info = run(QStringLiteral("pdfinfo"), {road}, folder.path());
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages: +1\\n")))) << info->toStdString();
    const std::optional<QString> fonts = run(QStringLiteral("pdffonts"), {road}, folder.path());
    ASSERT_TRUE(fonts);
    EXPECT_TRUE(fonts->contains(QStringLiteral("TeXGyreBonum"))) << fonts->toStdString();
    std::optional<QString> text =
        run(QStringLiteral("pdftotext"), {road, QStringLiteral("-")}, folder.path());
    ASSERT_TRUE(text);
    text->remove(QRegularExpression(QStringLiteral("\\s")));
    for (const char16_t* expected : {u"2x+y=7", u"x−y=2", u"①式と②式をたすと", u"3x=9", u"x=3", u"3−y=2",
                                     u"−y=−3+2", u"−y=−1", u"y=1", u"[答]"})
        EXPECT_TRUE(text->contains(QString::fromUtf16(expected)))
            << QString::fromUtf16(expected).toStdString();

    ASSERT_TRUE(run(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-r"), QString::number(PictureDpi), QStringLiteral("-png"),
                     QStringLiteral("-singlefile"), road, QStringLiteral("road")},
                    folder.path()));
    const QImage picture(QString::fromStdString(folder / "road.png"));
    ASSERT_FALSE(picture.isNull());

    // Where the job puts things: the printable area of A4 at 600 dpi, an
    // 800-pixel screen, margin 3 and size 2 as the scenario leaves them:
    // a row as tall as on a 96-dpi screen.
    QPrinter reference(QPrinter::HighResolution);
    reference.setResolution(PrintDpi);
    reference.setOutputFormat(QPrinter::PdfFormat);
    reference.setPageSize(QPageSize(QPageSize::A4));
    const QRect paintable = reference.pageLayout().paintRectPixels(PrintDpi);
    const int k = paintable.width() / 800;
    const double scale = PrintDpi / 96.0;
    const auto toPicture = [&](int x, int y, int w, int h) {
        const double s = double(PictureDpi) / PrintDpi;
        return QRect(int((paintable.left() + x) * s), int((paintable.top() + y) * s), int(w * s), int(h * s));
    };
    const int left = int(30 * scale + 0.5);

    EXPECT_EQ(inkIn(picture, QRect(0, 0, toPicture(left, 0, 0, 0).left() - 1, picture.height())).dark, 0)
        << "the left margin is white";
    EXPECT_GT(inkIn(picture, toPicture(left, 100 * k, 1000, 100)).dark, 50) << "the title";
    double y = 150 * k;
    for (int n = 1; n <= 8; ++n) {
        const int height = n <= 2 ? 50 : 69;
        const Ink ink = inkIn(picture, toPicture(left, int(y), int(303 * scale), int(height * scale)));
        EXPECT_GT(ink.dark + ink.blue, 50) << "row " << n;
        // ④ x = 3 and ⑧ y = 1 are the blue ones: the rows come in their order.
        if (n >= 3) {
            EXPECT_EQ(ink.blue > 20, n == 4 || n == 8) << "row " << n;
        }
        y += (height + 2) * scale;
    }
}

} // namespace
} // namespace tavolini
