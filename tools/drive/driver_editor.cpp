// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "driver_editor.h"

#include "core/text_file.h"
#include "desktop/dialogs/edit_ques_dialog.h"
#include "desktop/platform/text_codec.h"
#include "driver_controls.h"
#include "driver_dialogs.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <iostream>

namespace tavolini {
namespace {

std::string fieldText(TfrmEditQues& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->text().toStdString();
}

} // namespace

EditEnd DriverEditor::editProblems() {
    TfrmEditQues& dialog = *m_dialog;
    dialog.prepareShowing();
    dialog.show();
    printCaption(dialog);
    for (;;) {
        const std::string action = m_replies.takeReply("the editor");
        std::cout << "editor: " << action << '\n';
        if (action.starts_with("text ")) {
            setText(action.substr(5));
        } else if (action == "check") {
            check();
        } else if (action == "OK" || action == "Cancel") {
            press(dialog, action == "OK" ? "btnOk" : "btnCancel");
            if (!dialog.isVisible())
                return dialog.result() == QDialog::Accepted ? EditEnd::Ok : EditEnd::Cancel;
        } else {
            failScenario("the editor has no action " + action);
        }
    }
}

void DriverEditor::setEditorCaption(std::string_view path) {
    if (m_dialog.made()) m_dialog->setEditorCaption(path);
}

void DriverEditor::setText(const std::string& file) {
    const FileContents contents = readWholeFile(file);
    if (contents.status != FileStatus::Read) failScenario("cannot read " + file);
    QStringList lines;
    for (const std::string& line : splitLines(contents.bytes))
        lines << fromCp932(line);
    m_dialog->findChild<QPlainTextEdit*>(QStringLiteral("memQues"))->setPlainText(lines.join(u'\n'));
}

void DriverEditor::check() {
    press(*m_dialog, "btnCompile");
    std::cout << "editor: units=" << fieldText(*m_dialog, "edtTangen")
              << " result=" << fieldText(*m_dialog, "edtResult")
              << " unit=" << fieldText(*m_dialog, "edtErTangen") << '\n';
    printList(*m_dialog, "lstErQues", "editor-list: ");
}

} // namespace tavolini
