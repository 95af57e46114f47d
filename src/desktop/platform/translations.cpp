// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/platform/translations.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace tavolini {

bool installJapaneseTranslations(QCoreApplication& application) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    // The application owns it, so that it lives as long as the texts it gives.
    translator->setParent(&application);
    return QCoreApplication::installTranslator(translator.release());
}

} // namespace tavolini
