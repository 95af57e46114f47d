// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/dialogs/special_solution_dialog.h"

#include "core/cp932.h"
#include "desktop/drawing/qimage_canvas.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/text_codec.h"
#include "desktop/platform/window_placement.h"

#include <QLineEdit>
#include <QPushButton>

namespace tavolini {
namespace {

constexpr QSize DialogSize{140, 222};
constexpr int WindowFontPixels = 12;
constexpr int TitleFontPixels = 16;
constexpr QRect TitleRect{8, 20, 124, 30};
constexpr QRect MusuRect{13, 80, 113, 33};
constexpr QRect KainashiRect{13, 146, 113, 33};

QPushButton* choiceButton(const char* name, const char* caption, QRect rect, QWidget* parent) {
    auto* button = new QPushButton(uiText(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    // Tab must not land on an answer, and Enter must not give one.
    button->setFocusPolicy(Qt::ClickFocus);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmSentaku::TfrmSentaku(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmSentaku"));
    setWindowTitle(uiText("特殊な解"));
    setModal(true);
    setFixedSize(DialogSize);
    QFont windowFont = shippedFont(Face::PGothic, WindowFontPixels);
    setFont(windowFont);

    m_edtSentaku = new QLineEdit(uiText("解の種類選択"), this);
    m_edtSentaku->setObjectName(QStringLiteral("edtSentaku"));
    m_edtSentaku->setGeometry(TitleRect);
    m_edtSentaku->setReadOnly(true);
    m_edtSentaku->setAlignment(Qt::AlignCenter);
    QFont titleFont = windowFont;
    titleFont.setPixelSize(TitleFontPixels);
    m_edtSentaku->setFont(titleFont);
    QPalette aqua = m_edtSentaku->palette();
    aqua.setColor(QPalette::Base, QColor(0, 255, 255));
    aqua.setColor(QPalette::Text, Qt::black);
    m_edtSentaku->setPalette(aqua);

    m_btnMusu = choiceButton("btnMusu", "解は無数にある", MusuRect, this);
    m_btnKainashi = choiceButton("btnKainashi", "解なし", KainashiRect, this);
    connect(m_btnMusu, &QPushButton::clicked, this, [this] { answer(SpecialAnswer::InfinitelyMany); });
    connect(m_btnKainashi, &QPushButton::clicked, this, [this] { answer(SpecialAnswer::NoSolution); });
}

SpecialAnswer TfrmSentaku::choose() {
    m_choice = SpecialAnswer::None;
    exec();
    return m_choice;
}

void TfrmSentaku::answer(SpecialAnswer choice) {
    m_choice = choice;
    accept();
}

void TfrmSentaku::placeAt(QPoint topLeft) {
    placeOnScreen(*this, QRect(topLeft, size()));
}

} // namespace tavolini
