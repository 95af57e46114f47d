// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/program/practice_folder_setup.h"

#include "core/cp932.h"
#include "core/dialogs.h"
#include "core/text_file.h"
#include "files/practice_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>

namespace tavolini {

bool enterPracticeFolder(Dialogs& dialogs) {
    const std::optional<std::string> folder =
        practiceFolder(std::getenv("TAVOLINI_HOME"), std::getenv("HOME"));
    if (!folder) {
        dialogs.showMessage(cp932("練習フォルダが決まりません（HOMEもTAVOLINI_HOMEもありません）"));
        return false;
    }
    const std::string shipped =
        QFile::encodeName(QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                          QStringLiteral("/../share/tavolini/ZUdir.sim")))
            .toStdString();
    const std::string seedFailure =
        seedFailureMessage(seedPracticeFolder(*folder, shipped), *folder, shipped);
    if (!seedFailure.empty()) {
        dialogs.showMessage(seedFailure);
        return false;
    }
    if (!QDir::setCurrent(QFile::decodeName(QByteArray::fromStdString(*folder)))) {
        dialogs.showMessage(*folder + cp932(":練習フォルダに入れません"));
        return false;
    }
    removeStaleTemporaries(".");
    return true;
}

} // namespace tavolini
