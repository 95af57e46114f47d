// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// The yardstick of the start-up benchmark: an empty main window shown, then
// gone; with --text it shows one line of Japanese text, which is what makes
// a window load its fonts.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral(u"次の連立方程式を解きなさい")));
    window.show();
    QApplication::processEvents();
    return 0;
}
