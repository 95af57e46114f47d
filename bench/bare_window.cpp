// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// The yardstick of the start-up benchmark: an empty main window shown, then gone.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.show();
    QApplication::processEvents();
    return 0;
}
