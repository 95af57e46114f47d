// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/dialogs/version_dialog.h"

#include "core/cp932.h"
#include "desktop/drawing/qimage_canvas.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/text_codec.h"
#include "desktop/platform/window_placement.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace tavolini {
namespace {

constexpr QSize DialogSize{495, 323};
constexpr QRect PanelRect{8, 8, 479, 256};
constexpr QRect IconRect{24, 24, 64, 64};
constexpr QRect TitleRect{112, 32, 352, 32};
constexpr QRect VersionRect{112, 80, 352, 20};
constexpr QRect MakerRect{112, 108, 352, 20};
constexpr QRect NoteRect{112, 148, 352, 60};
constexpr QRect CloseRect{207, 278, 81, 33};
constexpr int WindowFontPixels = 12;
constexpr int TitleFontPixels = 24;
constexpr int LineFontPixels = 14;
constexpr int IconSizes[] = {16, 32, 48, 64};

QLabel* addLabel(const char* name, const QString& caption, QRect rect, int pixels, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    QFont font = parent->font();
    font.setPixelSize(pixels);
    label->setFont(font);
    return label;
}

} // namespace

QPixmap programIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    // The main window's teal, with the page's white paper on it.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 160, 160));
    painter.drawRoundedRect(QRectF(1, 1, 62, 62), 10, 10);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(8, 10, 48, 44), 4, 4);

    // A brace before two equation lines, the second one in the blue of a
    // found unknown.
    QPainterPath brace(QPointF(20, 14));
    brace.cubicTo(QPointF(15, 14), QPointF(17, 30), QPointF(12, 32));
    brace.cubicTo(QPointF(17, 34), QPointF(15, 50), QPointF(20, 50));
    painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(brace);
    painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(25, 23), QPointF(48, 23));
    painter.setPen(QPen(QColor(0, 0, 255), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(25, 41), QPointF(42, 41));
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (const int size : IconSizes)
        icon.addPixmap(programIconPixmap(size));
    return icon;
}

TfrmVersion::TfrmVersion(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(uiText("バージョン情報"));
    setModal(true);
    setFixedSize(DialogSize);
    QFont windowFont = shippedFont(Face::PGothic, WindowFontPixels);
    setFont(windowFont);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnlVersion"));
    panel->setGeometry(PanelRect);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgIcon"));
    icon->setGeometry(IconRect);
    icon->setPixmap(programIconPixmap(IconRect.width()));

    QLabel* title =
        addLabel("lblTitle", QStringLiteral("Orbiset Tavolini"), TitleRect, TitleFontPixels, this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    addLabel("lblVersion", QStringLiteral("Version " TAVOLINI_VERSION), VersionRect, LineFontPixels, this);
    addLabel("lblMaker", QStringLiteral("The Tavolini authors"), MakerRect, LineFontPixels, this);
    QLabel* note = addLabel("lblNote", uiText("連立方程式を、ボタンで一歩ずつ解いていく練習プログラムです。"),
                            NoteRect, WindowFontPixels, this);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* close = new QPushButton(uiText("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setGeometry(CloseRect);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmVersion::showAbout() {
    centreOnScreen(*this);
    exec();
}

} // namespace tavolini
