// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/windows/help_window.h"

#include "core/cp932.h"
#include "desktop/drawing/qimage_canvas.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/text_codec.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// The pages are compiled into a static library: without this call the
// linker would leave them out.
static void initHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace tavolini {
namespace {

constexpr QSize WindowSize{640, 560};
constexpr int WindowFontPixels = 14;

QPushButton* addButton(const char* name, const char* caption, QHBoxLayout* row, QWidget* parent) {
    auto* button = new QPushButton(uiText(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    row->addWidget(button);
    return button;
}

} // namespace

QUrl HelpWindow::contentsPage() {
    return QUrl(QStringLiteral("qrc:/help/contents.html"));
}

QUrl HelpWindow::onePointPage() {
    return QUrl(QStringLiteral("qrc:/help/onepoint.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    initHelpResources();
    setObjectName(QStringLiteral("frmHelp"));
    QFont windowFont = shippedFont(Face::PGothic, WindowFontPixels);
    setFont(windowFont);
    resize(WindowSize);

    auto* buttons = new QHBoxLayout;
    QPushButton* back = addButton("btnBack", "戻る", buttons, this);
    QPushButton* contents = addButton("btnContents", "使い方", buttons, this);
    QPushButton* onePoint = addButton("btnOnePoint", "ワンポイント", buttons, this);
    buttons->addStretch();

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("brwHelp"));
    m_browser->setOpenExternalLinks(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(onePoint, &QPushButton::clicked, this, &HelpWindow::showOnePoint);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::pageChanged);
    back->setEnabled(false);
}

void HelpWindow::showContents() {
    showPage(contentsPage());
}

void HelpWindow::showOnePoint() {
    showPage(onePointPage());
}

void HelpWindow::showPage(const QUrl& page) {
    if (m_browser->source() != page) m_browser->setSource(page);
    show();
    raise();
    activateWindow();
}

void HelpWindow::pageChanged() {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Orbiset Tavolini")
                                   : QStringLiteral("Orbiset Tavolini - ") + title);
}

} // namespace tavolini
