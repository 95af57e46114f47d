// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "driver_look_back.h"

#include "driver_dialogs.h"
#include "practice/qt/dump_dialog.h"
#include "practice/qt/kiroku_dialog.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <iostream>

namespace tavolini {
namespace {

QListWidget* listOf(QWidget& window, const char* name) {
    return window.findChild<QListWidget*>(QString::fromLatin1(name));
}

void printList(QWidget& window, const char* name, const char* prefix) {
    const QListWidget* list = listOf(window, name);
    for (int i = 0; i < list->count(); ++i)
        std::cout << prefix << list->item(i)->text().toStdString() << '\n';
}

void press(QWidget& window, const char* name) {
    window.findChild<QPushButton*>(QString::fromLatin1(name))->click();
    QApplication::processEvents();
}

// The deletion dialog until it closes; true when it ended with OK.
bool driveDeletion(TfrmDelete& dialog, DriverDialogs& replies) {
    dialog.prepareShowing();
    dialog.show();
    std::cout << "dialog: " << dialog.windowTitle().toStdString() << '\n';
    printList(dialog, "lstTitle", "delete-list: ");
    for (;;) {
        const std::string action = replies.takeReply("the deletion dialog");
        if (action == "close") {
            press(dialog, "btnClose");
            return dialog.result() == QDialog::Accepted;
        }
        if (!action.starts_with("erase ")) failScenario("the deletion dialog has no action " + action);
        QListWidget* list = listOf(dialog, "lstTitle");
        const int line = std::atoi(action.c_str() + 6);
        list->clearSelection();
        if (line > 0) list->setCurrentRow(line - 1, QItemSelectionModel::ClearAndSelect);
        press(dialog, "btnDeleteOne");
    }
}

} // namespace

void driveRecordViewer(TfrmKiroku& viewer, DriverDialogs& replies) {
    viewer.prepareShowing();
    viewer.show();
    std::cout << "dialog: " << viewer.windowTitle().toStdString() << '\n';
    printList(viewer, "lstTitle", "record: ");
    for (;;) {
        const std::string action = replies.takeReply("the record viewer");
        if (action == "close") {
            press(viewer, "btnClose");
            return;
        }
        if (action != "delete") failScenario("the record viewer has no action " + action);
        if (driveDeletion(viewer.deletionDialog(), replies)) {
            viewer.fillRecordList();
            printList(viewer, "lstTitle", "record: ");
        }
    }
}

void printStackView(TfrmDump& stack) {
    stack.prepareShowing();
    std::cout << "dialog: " << stack.windowTitle().toStdString() << '\n';
    printList(stack, "lstDump", "stack: ");
}

} // namespace tavolini
