// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/dialogs/unit_change_dialog.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "desktop/drawing/page_bitmaps.h"
#include "desktop/drawing/qimage_canvas.h"
#include "desktop/drawing/qt_forms.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/text_codec.h"
#include "desktop/platform/window_placement.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tavolini {
namespace {

constexpr int WindowFontPixels = 12;
constexpr int UnitItemHeight = 16;
const QColor MarkGreen(0, 127, 0);
// Where the brace of a marked problem gets its picture, as designed.
constexpr QPoint BraceCopyOrigin{1, 1};

QString slotName(const char* stem, int n) {
    return QString::fromLatin1(stem) + QString::number(n);
}

} // namespace

QImage TfrmMondai::markedBrace() {
    return braceBitmap(Qt::white, MarkGreen);
}

QImage TfrmMondai::unmarkedBrace() {
    return braceBitmap(Qt::black, Qt::white);
}

TfrmMondai::TfrmMondai(ProblemSet& set, Algebra& algebra, LayoutState& layout, QWidget* parent)
    : QDialog(parent), m_set(set), m_algebra(algebra), m_layout(layout) {
    setObjectName(QStringLiteral("frmMondai"));
    setWindowTitle(uiText("単元変更"));
    setModal(true);
    QFont windowFont = shippedFont(Face::PGothic, WindowFontPixels);
    setFont(windowFont);
    resize(qtRect(SelectionSheet).size()); // when there is no main window to cover
    // The controls keep their designed places on a sheet that scrolls when the
    // dialog is smaller than it, on a small screen: OK stays within reach.
    m_sheet = new QWidget;
    m_sheet->setObjectName(QStringLiteral("sheet"));
    m_sheet->setFixedSize(qtRect(SelectionSheet).size());
    createControls();
    auto* area = new QScrollArea(this);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(m_sheet);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(area);
}

RowImage* TfrmMondai::addImage(const QString& name, QRect rect) {
    auto* image = new RowImage(name, rect.size(), rect.size(), m_sheet);
    image->move(rect.topLeft());
    return image;
}

void TfrmMondai::createSlot(int p) {
    const auto i = static_cast<std::size_t>(p - 1);
    RowImage* kakko = addImage(slotName("imgKakko", p), qtRect(selectionBraceRect(p)));
    kakko->setStretch(true);
    kakko->canvas().setPicture(unmarkedBrace());
    m_imgKakko[i] = kakko;

    m_images[2 * i] = addImage(slotName("Image", 2 * p - 1), qtRect(selectionPreviewRect(2 * p - 1)));
    m_images[2 * i + 1] = addImage(slotName("Image", 2 * p), qtRect(selectionPreviewRect(2 * p)));

    auto* button = new QPushButton(fromCp932(EquationLabels()[static_cast<std::size_t>(p)]), m_sheet);
    button->setObjectName(slotName("btnShiki", p));
    button->setGeometry(qtRect(selectionButtonRect(p)));
    button->setAutoDefault(false);
    m_btnShiki[i] = button;

    connect(button, &QPushButton::clicked, this, [this, p] { problemClicked(p); });
    for (RowImage* image : {kakko, m_images[2 * i], m_images[2 * i + 1]})
        connect(image, &RowImage::mouseReleased, this, [this, p](Qt::MouseButton mouseButton) {
            if (mouseButton == Qt::LeftButton) problemClicked(p);
        });
}

void TfrmMondai::createControls() {
    for (int p = 1; p <= SelectionSlots; ++p)
        createSlot(p);

    m_imgKakkoB =
        addImage(QStringLiteral("imgKakkoB"), QRect(QPoint(0, 0), qtRect(selectionBraceRect(1)).size()));
    m_imgKakkoB->canvas().setPicture(markedBrace());
    m_imgKakkoB->hide();
    m_imgKakkoW =
        addImage(QStringLiteral("imgKakkoW"), QRect(QPoint(0, 0), qtRect(selectionBraceRect(1)).size()));
    m_imgKakkoW->canvas().setPicture(unmarkedBrace());
    m_imgKakkoW->hide();

    m_label1 = new QLabel(uiText("問題を選んでください"), m_sheet);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(qtRect(SelectionLabelRect));
    QPalette labelPalette = m_label1->palette();
    labelPalette.setColor(QPalette::Window, Qt::white);
    labelPalette.setColor(QPalette::WindowText, Qt::black);
    m_label1->setPalette(labelPalette);
    m_label1->setAutoFillBackground(true);

    m_lstTangen = new QListWidget(m_sheet);
    m_lstTangen->setObjectName(QStringLiteral("lstTangen"));
    m_lstTangen->setGeometry(qtRect(SelectionUnitListRect));
    m_lstTangen->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstTangen->setUniformItemSizes(true);
    // Moving to a unit, by the mouse or the keys, shows it.
    connect(m_lstTangen, &QListWidget::currentRowChanged, this, &TfrmMondai::unitClicked);

    m_btnOK = new QPushButton(uiText("Ｏ　Ｋ"), m_sheet);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setGeometry(qtRect(SelectionOkRect));
    connect(m_btnOK, &QPushButton::clicked, this, &TfrmMondai::btnOKClick);

    m_btnCancel = new QPushButton(uiText("キャンセル"), m_sheet);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnCancel->setGeometry(qtRect(SelectionCancelRect));
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmMondai::choose() {
    if (QWidget* main = parentWidget()) placeOnScreen(*this, main->window()->geometry());
    prepareShowing();
    return exec() == QDialog::Accepted;
}

void TfrmMondai::prepareShowing() {
    ProblemSelection rules = selection();
    showSelection(rules);
}

void TfrmMondai::unitClicked(int index) {
    ProblemSelection rules = selection();
    clickUnit(rules, index);
}

void TfrmMondai::problemClicked(int p) {
    ProblemSelection rules = selection();
    pickProblem(rules, p);
}

void TfrmMondai::btnOKClick() {
    ProblemSelection rules = selection();
    acceptSelection(rules);
    accept();
}

Canvas* TfrmMondai::findPreviewImage(int n) {
    const QString name = slotName("Image", n);
    for (RowImage* image : m_images)
        if (image->objectName() == name) return &image->canvas();
    return nullptr;
}

void TfrmMondai::setSlotVisible(int p, bool visible) {
    if (p < 1 || p > SelectionSlots) return;
    const auto i = static_cast<std::size_t>(p - 1);
    for (QWidget* control :
         {static_cast<QWidget*>(m_imgKakko[i]), static_cast<QWidget*>(m_btnShiki[i]),
          static_cast<QWidget*>(m_images[2 * i]), static_cast<QWidget*>(m_images[2 * i + 1])})
        control->setVisible(visible);
}

void TfrmMondai::setBraceMarked(int p, bool marked) {
    if (p < 1 || p > SelectionSlots) return;
    RowImage* brace = m_imgKakko[static_cast<std::size_t>(p - 1)];
    QImage picture = brace->picture();
    {
        QPainter painter(&picture);
        painter.drawImage(BraceCopyOrigin, (marked ? m_imgKakkoB : m_imgKakkoW)->picture());
    }
    brace->canvas().setPicture(picture);
}

void TfrmMondai::setUnitTitles(const std::vector<std::string>& titles) {
    const QSignalBlocker quiet(m_lstTangen);
    m_lstTangen->clear();
    for (const std::string& title : titles) {
        auto* item = new QListWidgetItem(fromCp932(title), m_lstTangen);
        item->setSizeHint(QSize(0, UnitItemHeight));
    }
}

void TfrmMondai::selectOnlyUnitItem(int index) {
    const QSignalBlocker quiet(m_lstTangen);
    m_lstTangen->clearSelection();
    QListWidgetItem* item = m_lstTangen->item(index);
    if (item == nullptr) return;
    m_lstTangen->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
}

void TfrmMondai::focusUnitList() {
    m_lstTangen->setFocus(Qt::OtherFocusReason);
}

} // namespace tavolini
