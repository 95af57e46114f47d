// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tavolini {

// The program's dialogs as Qt shows them: QMessageBox for messages and
// questions, QFileDialog for file names. Paths are returned as the file
// system spells them.
class MessageBoxDialogs final : public Dialogs {
  public:
    explicit MessageBoxDialogs(QString applicationTitle, QWidget* parent = nullptr);

    void setParentWindow(QWidget* parent) { m_parent = parent; }

    void showMessage(std::string_view text) override;
    Reply ask(std::string_view caption, std::string_view text, Buttons buttons) override;
    std::optional<std::string> chooseOpenFile(std::string_view filter, std::string_view presetPath) override;
    std::optional<std::string> chooseSaveFile(std::string_view filter, std::string_view presetPath) override;

  private:
    QString m_title;
    QPointer<QWidget> m_parent;
};

// "description|pattern" as Qt writes a file filter, with the pattern in both
// letter cases since file names here are case-sensitive: "SIM (*.SIM *.sim)".
QString qtFileFilter(std::string_view filter);

} // namespace tavolini
