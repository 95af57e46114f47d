// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/platform/translations.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTranslator>
#include <gtest/gtest.h>

namespace tavolini {
namespace {

TEST(Translations, QtsOwnDialogsSpeakJapanese) {
    ASSERT_TRUE(installJapaneseTranslations(*QCoreApplication::instance()));
    // The other tests here press buttons by their English names.
    struct Uninstall {
        ~Uninstall() { delete QCoreApplication::instance()->findChild<QTranslator*>(); }
    } uninstall;

    QMessageBox box(QMessageBox::Question, QStringLiteral(u"確認"), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Retry);
    const struct {
        QMessageBox::StandardButton button;
        const char16_t* japanese;
    } rows[] = {
        {QMessageBox::Yes, u"はい"},
        {QMessageBox::No, u"いいえ"},
        {QMessageBox::Cancel, u"キャンセル"},
        {QMessageBox::Retry, u"再試行"},
    };
    for (const auto& row : rows)
        EXPECT_TRUE(box.button(row.button)->text().startsWith(QString::fromUtf16(row.japanese)))
            << box.button(row.button)->text().toStdString();

    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(u"名前を付けて保存"));
}

} // namespace
} // namespace tavolini
