// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "driver_print.h"

#include "desktop/dialogs/print_dialog.h"
#include "driver_controls.h"
#include "driver_dialogs.h"

#include <QLineEdit>
#include <QSpinBox>
#include <iostream>

namespace tavolini {
namespace {

void setUpDown(TfrmPrintS& dialog, const char* name, const std::string& value) {
    dialog.findChild<QSpinBox*>(QString::fromLatin1(name))->setValue(std::atoi(value.c_str()));
    const auto* preview = dialog.findChild<QLineEdit*>(QStringLiteral("edtSample"));
    std::cout << "print: preview=\"" << preview->text().toStdString()
              << "\" points=" << printPreviewPoints(dialog.settings().size) << '\n';
}

} // namespace

void drivePrintDialog(TfrmPrintS& dialog, DriverDialogs& replies) {
    dialog.printIntoPdfOnly();
    dialog.prepareShowing();
    dialog.show();
    printCaption(dialog);
    for (;;) {
        const std::string action = replies.takeReply("the print dialog");
        if (action.starts_with("margin "))
            setUpDown(dialog, "updLMargin", action.substr(7));
        else if (action.starts_with("size "))
            setUpDown(dialog, "updSize", action.substr(5));
        else if (action == "start")
            press(dialog, "btnStart");
        else if (action == "all")
            press(dialog, "btnPrintAll");
        else if (action == "close")
            return press(dialog, "btnCancel");
        else
            failScenario("the print dialog has no action " + action);
    }
}

} // namespace tavolini
