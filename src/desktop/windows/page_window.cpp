// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/windows/page_window.h"

#include "desktop/drawing/page_bitmaps.h"
#include "desktop/drawing/qt_forms.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/key_codes.h"
#include "desktop/platform/text_codec.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace tavolini {
namespace {

constexpr int WindowFontPixels = 12;
constexpr int MessageFontPixels = 16;

// The row images are named by their equations' numbers.
QString rowName(int n) {
    return QStringLiteral("Image%1").arg(n);
}

void paintBackground(QWidget* widget, Colour background, Colour text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, qtColour(background));
    palette.setColor(QPalette::WindowText, qtColour(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

TfrmPage::TfrmPage(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state,
                   PageEvents& events, const PageSetup& setup, QWidget* parent)
    : QScrollArea(parent),
      PagePresenter(algebra, dialogs, layout, state, events, setup.screenWidth, setup.mainPanel.width),
      m_pictureSize(state.rowWidth, state.rowHeight) {
    setObjectName(QStringLiteral("frmPage"));
    QFont windowFont = shippedFont(Face::PGothic, WindowFontPixels);
    setFont(windowFont);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(qtRect(pageBounds(setup)));

    m_sheet = new QWidget(this);
    m_sheet->setObjectName(QStringLiteral("sheet"));
    m_sheet->setMouseTracking(true);
    m_sheet->installEventFilter(this);
    createControls();
    createRows();
    // The brace stands beside the problem's rows and the answer box above the
    // rows it is placed over, hiding them.
    m_imgKakko->raise();
    m_grbKai->raise();
    m_edtPage2->raise();

    hideAnswerBox();
    setWidgetResizable(true);
    setWidget(m_sheet);
}

RowImage* TfrmPage::addImage(const QString& name, const PageRect& rect, QWidget* parent) {
    auto* image = new RowImage(name, QSize(rect.width, rect.height), m_pictureSize, parent);
    image->move(rect.left, rect.top);
    return image;
}

void TfrmPage::createControls() {
    const PageState& page = pageState();
    m_imgKakko = addImage(QStringLiteral("imgKakko"), KakkoRect, m_sheet);
    m_imgKakko->canvas().setPicture(braceBitmap());
    connect(m_imgKakko, &RowImage::mouseMoved, this, [this] { hoverOffRows(); });

    m_lblMess = new QLabel(m_sheet);
    m_lblMess->setObjectName(QStringLiteral("lblMess"));
    m_lblMess->setGeometry(qtRect(messageRect(page)));
    QFont messageFont = plainZeroGothicFont(MessageFontPixels);
    messageFont.setBold(true);
    m_lblMess->setFont(messageFont);
    paintBackground(m_lblMess, clOlive, clWhite);

    m_grbKai = new QGroupBox(QStringLiteral(u"解"), m_sheet);
    m_grbKai->setObjectName(QStringLiteral("grbKai"));
    m_grbKai->setGeometry(qtRect(inAnswerBox(page, KaiRect)));
    m_grbKai->setAutoFillBackground(true);
    for (int n : {SolutionSlotX, SolutionSlotY})
        addImage(rowName(n), *answerRowRect(page, n), m_grbKai);
    m_imgKotaeKakko = addImage(QStringLiteral("imgKotaeKakko"), KotaeKakkoRect, m_grbKai);
    m_imgKotaeKakko->setStretch(true); // its picture is drawn when the box first shows
    const QString stars(StarCount, QChar(u'★'));
    for (const auto& [name, rect] : {std::pair{"lblStarX", StarRectX}, std::pair{"lblStarY", StarRectY}}) {
        auto* label = new QLabel(stars, m_grbKai);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(qtRect(inAnswerBox(page, rect)));
        paintBackground(label, clLime, clBlack);
    }
}

void TfrmPage::createRows() {
    const PageState& page = pageState();
    for (int n = 1; n <= rowImageCount(page); ++n) {
        if (n == firstRowOfSheet2(page)) {
            m_edtPage2 = new QLineEdit(QStringLiteral("Page2"), m_sheet);
            m_edtPage2->setObjectName(QStringLiteral("edtPage2"));
            m_edtPage2->setReadOnly(true);
            m_edtPage2->setFocusPolicy(Qt::NoFocus);
            m_edtPage2->setToolTip(QStringLiteral(u"２ページを表示"));
            m_edtPage2->setGeometry(qtRect(page2Rect(page)));
            m_edtPage2->installEventFilter(this);
        }
        watchRow(n, addImage(rowName(n), *rowImageRect(page, n), m_sheet));
    }
}

void TfrmPage::watchRow(int n, RowImage* row) {
    connect(row, &RowImage::mouseMoved, this, [this, n] { rowHovered(n); });
    connect(row, &RowImage::mouseReleased, this,
            [this, n](Qt::MouseButton button) { rowReleased(n, button == Qt::RightButton); });
}

RowImage* TfrmPage::findRowImage(int n) const {
    return findChild<RowImage*>(rowName(n));
}

Canvas* TfrmPage::rowCanvas(int n) const {
    RowImage* row = findRowImage(n);
    return row != nullptr ? &row->canvas() : nullptr;
}

void TfrmPage::showMessageText(std::string_view text) {
    m_lblMess->setText(fromCp932(text));
}

int TfrmPage::scrollTop() const {
    return verticalScrollBar()->value();
}

void TfrmPage::scrollTo(int top) {
    verticalScrollBar()->setValue(top);
}

int TfrmPage::viewHeight() const {
    return viewport()->height();
}

void TfrmPage::drawAnswerBrace() {
    m_imgKotaeKakko->canvas().setPicture(answerBraceBitmap());
}

void TfrmPage::showAnswerBraceImage() {
    m_imgKotaeKakko->show();
}

void TfrmPage::moveAnswerBox(std::optional<PagePoint> at) {
    if (at) m_grbKai->move(at->x, at->y);
    m_grbKai->setVisible(at.has_value());
}

void TfrmPage::resizeSheet(int width, int height) {
    m_sheet->setMinimumSize(width, height);
}

void TfrmPage::keyPressEvent(QKeyEvent* event) {
    events().pageKey(virtualKeyCode(*event), event->modifiers().testFlag(Qt::ShiftModifier),
                     toCp932(event->text()));
    event->accept();
}

bool TfrmPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_sheet && event->type() == QEvent::MouseMove) hoverOffRows();
    if (watched == m_edtPage2 && event->type() == QEvent::MouseButtonRelease) scrollDown();
    return QScrollArea::eventFilter(watched, event);
}

} // namespace tavolini
