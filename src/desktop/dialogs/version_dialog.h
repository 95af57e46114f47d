// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>

namespace tavolini {

// The program's icon, drawn here: a brace before two equations.
QPixmap programIconPixmap(int size);
QIcon programIcon();

// バージョン情報: the icon, the title, the version and the makers.
class TfrmVersion final : public QDialog {
    Q_OBJECT

  public:
    explicit TfrmVersion(QWidget* parent = nullptr);

    // Runs modally, centred on the screen, until 閉じる.
    void showAbout();
};

} // namespace tavolini
