// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/windows/stack_view.h"

#include "desktop/platform/text_codec.h"
#include "practice/stack_list.h"
#include "presentation/page_state.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolini {

TfrmDump::TfrmDump(const Algebra& algebra, const PageState& page, QWidget* parent)
    : QDialog(parent), m_algebra(algebra), m_page(page) {
    setObjectName(QStringLiteral("frmDump"));
    setWindowTitle(QString::fromUtf8("スタックの中身"));
    setModal(true);
    resize(320, 520);
    m_lstDump = new QListWidget(this);
    m_lstDump->setObjectName(QStringLiteral("lstDump"));
    auto* close = new QPushButton(QString::fromUtf8("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lstDump);
    layout->addWidget(close);
}

void TfrmDump::showStack() {
    prepareShowing();
    exec();
}

void TfrmDump::prepareShowing() {
    m_lstDump->clear();
    for (const std::string& line : stackListLines(m_algebra, m_page.equationLimit))
        m_lstDump->addItem(fromCp932(line));
}

} // namespace tavolini
