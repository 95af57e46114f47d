// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "driver_controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <iostream>

namespace tavolini {

void press(QWidget& window, const char* button) {
    window.findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
    QApplication::processEvents();
}

void printList(QWidget& window, const char* list, const char* prefix) {
    const auto* lines = window.findChild<QListWidget*>(QString::fromLatin1(list));
    for (int i = 0; i < lines->count(); ++i)
        std::cout << prefix << lines->item(i)->text().toStdString() << '\n';
}

void printCaption(QWidget& window) {
    std::cout << "dialog: " << window.windowTitle().toStdString() << '\n';
}

} // namespace tavolini
