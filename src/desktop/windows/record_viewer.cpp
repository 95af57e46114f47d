// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/windows/record_viewer.h"

#include "core/dialogs.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/text_codec.h"
#include "desktop/platform/window_placement.h"
#include "practice/record_lists.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolini {
namespace {

// Large enough to count the stars at a glance.
constexpr int ListFontPixels = 22;

} // namespace

TfrmKiroku::TfrmKiroku(ProblemSet& set, PracticeRecords& records, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_set(set), m_dialogs(dialogs), m_delete(new TfrmDelete(set, records, dialogs, this)) {
    setObjectName(QStringLiteral("frmKiroku"));
    setWindowTitle(uiText("練習の記録"));
    setModal(true);

    m_lstTitle = new QListWidget(this);
    m_lstTitle->setObjectName(QStringLiteral("lstTitle"));
    QFont listFont = shippedFont(Face::Gothic, ListFontPixels);
    m_lstTitle->setFont(listFont);
    auto* erase = new QPushButton(uiText("記録消去"), this);
    erase->setObjectName(QStringLiteral("btnDelete"));
    auto* close = new QPushButton(uiText("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(erase, &QPushButton::clicked, this, &TfrmKiroku::btnDeleteClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(erase);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lstTitle);
    layout->addLayout(buttons);
}

void TfrmKiroku::showRecords() {
    prepareShowing();
    exec();
}

void TfrmKiroku::prepareShowing() {
    if (const QWidget* main = parentWidget())
        placeOnScreen(*this, QRect(0, 0, main->window()->width(), main->window()->height()));
    fillRecordList();
}

void TfrmKiroku::fillRecordList() {
    m_lstTitle->clear();
    Messages messages;
    for (const std::string& line : tavolini::fillRecordList(m_set, messages))
        m_lstTitle->addItem(fromCp932(line));
    showMessages(m_dialogs, messages);
}

void TfrmKiroku::btnDeleteClick() {
    m_delete->prepareShowing();
    if (m_delete->exec() == QDialog::Accepted) fillRecordList();
}

} // namespace tavolini
