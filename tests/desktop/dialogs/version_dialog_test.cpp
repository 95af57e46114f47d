// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/dialogs/version_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

QStringList labelTexts(const QWidget& widget) {
    QStringList texts;
    for (const QLabel* label : widget.findChildren<QLabel*>())
        if (!label->text().isEmpty()) texts << label->text();
    return texts;
}

TEST(VersionDialog, NamesTheProgramItsVersionAndItsMakers) {
    TfrmVersion dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(u"バージョン情報"));
    EXPECT_EQ(dialog.minimumSize(), QSize(495, 323));
    EXPECT_EQ(dialog.maximumSize(), QSize(495, 323));
    const QStringList texts = labelTexts(dialog);
    // The build's own version, as --version and the package show it.
    for (const QString& expected :
         {QStringLiteral("Orbiset Tavolini"), QStringLiteral("Version " TAVOLINI_VERSION),
          QStringLiteral("The Tavolini authors")})
        EXPECT_TRUE(texts.contains(expected)) << expected.toStdString();
    const auto* icon = dialog.findChild<QLabel*>(QStringLiteral("imgIcon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
}

TEST(VersionDialog, ClosesWithItsButtonCentredOnTheScreen) {
    TfrmVersion dialog;
    QPoint centre;
    QTimer::singleShot(0, &dialog, [&dialog, &centre] {
        centre = dialog.frameGeometry().center();
        auto* close = dialog.findChild<QPushButton*>(QStringLiteral("btnClose"));
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->text(), QStringLiteral(u"閉じる"));
        QTest::mouseClick(close, Qt::LeftButton);
    });
    dialog.showAbout();
    EXPECT_FALSE(dialog.isVisible());
    const QPoint screenCentre = dialog.screen()->availableGeometry().center();
    // Up to the window frame, which is only known once the dialog is shown.
    EXPECT_LE((centre - screenCentre).manhattanLength(), 8);
}

TEST(VersionDialog, TheIconIsDrawnAtEverySize) {
    for (const int size : {16, 32, 64}) {
        const QImage image = programIconPixmap(size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_LT(qAlpha(image.pixel(0, 0)), 32) << size; // rounded corner
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
    }
    EXPECT_FALSE(programIcon().isNull());
}

} // namespace
} // namespace tavolini
