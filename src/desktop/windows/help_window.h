// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace tavolini {

// The help text shipped inside the program: the contents page (使い方) and
// the one-point page (ワンポイント), in a window of its own.
class HelpWindow final : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showContents();
    void showOnePoint();

    QTextBrowser* browser() const { return m_browser; }

    static QUrl contentsPage();
    static QUrl onePointPage();

  private:
    void showPage(const QUrl& page);
    void pageChanged();

    QTextBrowser* m_browser = nullptr;
};

} // namespace tavolini
