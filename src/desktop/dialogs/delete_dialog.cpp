// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/dialogs/delete_dialog.h"

#include "core/dialogs.h"
#include "desktop/platform/text_codec.h"
#include "desktop/platform/window_placement.h"
#include "practice/record_lists.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolini {
namespace {

constexpr QSize DialogSize{420, 320};

} // namespace

TfrmDelete::TfrmDelete(ProblemSet& set, PracticeRecords& records, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_set(set), m_records(records), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmDelete"));
    setWindowTitle(QStringLiteral("frmDelete"));
    setModal(true);
    resize(DialogSize);

    auto* panel = new QLabel(uiText("消去する項目を選んで［消去］ボタンをクリックしてください"), this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setWordWrap(true);
    panel->setMargin(6);
    m_lstTitle = new QListWidget(this);
    m_lstTitle->setObjectName(QStringLiteral("lstTitle"));
    auto* erase = new QPushButton(uiText("消去"), this);
    erase->setObjectName(QStringLiteral("btnDeleteOne"));
    auto* close = new QPushButton(uiText("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(erase, &QPushButton::clicked, this, &TfrmDelete::btnDeleteOneClick);
    connect(close, &QPushButton::clicked, this, &TfrmDelete::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(erase);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(m_lstTitle);
    layout->addLayout(buttons);
}

void TfrmDelete::prepareShowing() {
    centreOnScreen(*this);
    Messages messages;
    m_deletion = {fillDeletionList(m_set, messages)};
    m_lstTitle->clear();
    for (const std::string& title : m_deletion.titles)
        m_lstTitle->addItem(fromCp932(title));
    showMessages(m_dialogs, messages);
}

void TfrmDelete::btnDeleteOneClick() {
    const int row = m_lstTitle->selectedItems().isEmpty() ? -1 : m_lstTitle->currentRow();
    m_deletion.chosen = row;
    Messages messages;
    const std::size_t listed = m_deletion.titles.size();
    tavolini::btnDeleteOneClick(m_deletion, m_set, m_records, messages);
    showMessages(m_dialogs, messages);
    if (m_deletion.titles.size() == listed) return;
    delete m_lstTitle->takeItem(row);
    m_lstTitle->clearSelection();
}

void TfrmDelete::reject() {
    done(m_deletion.erased ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace tavolini
