// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "driver_look_back.h"

#include "desktop/windows/record_viewer.h"
#include "desktop/windows/stack_view.h"
#include "driver_controls.h"
#include "driver_dialogs.h"

#include <QListWidget>

namespace tavolini {
namespace {

// The deletion dialog until it closes; true when it ended with OK.
bool driveDeletion(TfrmDelete& dialog, DriverDialogs& replies) {
    dialog.prepareShowing();
    dialog.show();
    printCaption(dialog);
    printList(dialog, "lstTitle", "delete-list: ");
    for (;;) {
        const std::string action = replies.takeReply("the deletion dialog");
        if (action == "close") {
            press(dialog, "btnClose");
            return dialog.result() == QDialog::Accepted;
        }
        if (!action.starts_with("erase ")) failScenario("the deletion dialog has no action " + action);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstTitle"));
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
    printCaption(viewer);
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
    printCaption(stack);
    printList(stack, "lstDump", "stack: ");
}

} // namespace tavolini
