// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// End to end: the scenario driver solves the typical road and prints it into
// a PDF; pdftoppm turns the page into a picture, which must hold the title
// and the eight rows where the layout puts them, in order.
#include "support/temp_folder.h"

#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <filesystem>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

constexpr int PictureDpi = 100;
constexpr int PrintDpi = 600;

bool run(const QString& program, const QStringList& arguments, const std::string& folder) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder));
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
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
    ASSERT_TRUE(run(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-r"), QString::number(PictureDpi), QStringLiteral("-png"),
                     QStringLiteral("-singlefile"), QStringLiteral("road.pdf"), QStringLiteral("road")},
                    folder.path()));
    const QImage picture(QString::fromStdString(folder / "road.png"));
    ASSERT_FALSE(picture.isNull());

    // Where the job puts things: the printable area of A4 at 600 dpi, an
    // 800-pixel screen, margin 3 and size 5 as the scenario leaves them.
    QPrinter reference(QPrinter::HighResolution);
    reference.setResolution(PrintDpi);
    reference.setOutputFormat(QPrinter::PdfFormat);
    reference.setPageSize(QPageSize(QPageSize::A4));
    const QRect paintable = reference.pageLayout().paintRectPixels(PrintDpi);
    const int k = paintable.width() / 800;
    const int z = 6;
    const auto toPicture = [&](int x, int y, int w, int h) {
        const double s = double(PictureDpi) / PrintDpi;
        return QRect(int((paintable.left() + x) * s), int((paintable.top() + y) * s), int(w * s), int(h * s));
    };
    const int left = 32 * 3 * k;

    EXPECT_EQ(inkIn(picture, QRect(0, 0, toPicture(left, 0, 0, 0).left() - 1, picture.height())).dark, 0)
        << "the left margin is white";
    EXPECT_GT(inkIn(picture, toPicture(left, 100 * k, 1000, 100)).dark, 50) << "the title";
    int y = 150 * k;
    for (int n = 1; n <= 8; ++n) {
        const int height = n <= 2 ? 50 : 69;
        const Ink ink = inkIn(picture, toPicture(left, y, 303 * z, height * z));
        EXPECT_GT(ink.dark + ink.blue, 50) << "row " << n;
        // ④ x = 3 and ⑧ y = 1 are the blue ones: the rows come in their order.
        if (n >= 3) EXPECT_EQ(ink.blue > 20, n == 4 || n == 8) << "row " << n;
        y += (height + 2) * z;
    }
}

} // namespace
} // namespace tavolini
