// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QCoreApplication>

namespace tavolini {

// Qt's own texts (the standard buttons, the file and print dialogs) in
// Japanese whatever the system's locale, since every text of ours is
// Japanese. False when Qt's Japanese catalogue is not installed; the
// program then runs with Qt's English.
bool installJapaneseTranslations(QCoreApplication& application);

} // namespace tavolini
