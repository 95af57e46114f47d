// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/windows/page_window.h"

#include "core/dialogs.h"
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

constexpr int StarCount = 24;
constexpr int WindowFontPixels = 12;
constexpr int MessageFontPixels = 16;

void paintBackground(QWidget* widget, Colour background, Colour text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, qtColour(background));
    palette.setColor(QPalette::WindowText, qtColour(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

Canvas* TfrmPage::Rows::findRowImage(int n) {
    RowImage* row = m_page.findRowImage(n);
    return row != nullptr ? &row->canvas() : nullptr;
}

TfrmPage::TfrmPage(Algebra& algebra, Dialogs& dialogs, LayoutState& layout, PageState& state,
                   PageEvents& events, const PageSetup& setup, QWidget* parent)
    : QScrollArea(parent), m_algebra(algebra), m_dialogs(dialogs), m_layout(layout), m_state(state),
      m_events(events) {
    setObjectName(QStringLiteral("frmPage"));
    QFont windowFont = shippedFont(Face::PGothic, WindowFontPixels);
    setFont(windowFont);
    setFocusPolicy(Qt::StrongFocus);

    setPageGeometry(m_state, setup.screenWidth, setup.mainPanel.width);
    setGeometry(qtRect(pageBounds(setup)));
    m_blankPicture = QImage(m_state.rowWidth, m_state.rowHeight, QImage::Format_RGB32);
    m_blankPicture.fill(Qt::white);

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

    fitSheet(std::nullopt);
    setWidgetResizable(true);
    setWidget(m_sheet);
}

RowImage* TfrmPage::addImage(const QString& name, const PageRect& rect, QWidget* parent) {
    auto* image = new RowImage(name, QSize(rect.width, rect.height), m_blankPicture.size(), parent);
    image->move(rect.left, rect.top);
    return image;
}

void TfrmPage::createControls() {
    m_imgKakko = addImage(QStringLiteral("imgKakko"), KakkoRect, m_sheet);
    m_imgKakko->canvas().setPicture(braceBitmap());
    connect(m_imgKakko, &RowImage::mouseMoved, this, &TfrmPage::hoverOffRows);

    m_lblMess = new QLabel(m_sheet);
    m_lblMess->setObjectName(QStringLiteral("lblMess"));
    m_lblMess->setGeometry(MessRect.left, MessRect.top, m_state.rowWidth, MessRect.height);
    QFont messageFont = plainZeroGothicFont(MessageFontPixels);
    messageFont.setBold(true);
    m_lblMess->setFont(messageFont);
    paintBackground(m_lblMess, clOlive, clWhite);

    m_grbKai = new QGroupBox(QStringLiteral(u"解"), m_sheet);
    m_grbKai->setObjectName(QStringLiteral("grbKai"));
    m_grbKai->setGeometry(qtRect(inAnswerBox(m_state, KaiRect)));
    m_grbKai->setAutoFillBackground(true);
    m_grbKai->hide();
    addImage(QStringLiteral("Image33"), inAnswerBox(m_state, AnswerRect1), m_grbKai);
    addImage(QStringLiteral("Image34"), inAnswerBox(m_state, AnswerRect2), m_grbKai);
    m_imgKotaeKakko = addImage(QStringLiteral("imgKotaeKakko"), KotaeKakkoRect, m_grbKai);
    m_imgKotaeKakko->setStretch(true); // its picture is drawn when the box first shows
    const QString stars(StarCount, QChar(u'★'));
    for (const auto& [name, rect] : {std::pair{"lblStarX", StarRectX}, std::pair{"lblStarY", StarRectY}}) {
        auto* label = new QLabel(stars, m_grbKai);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(qtRect(inAnswerBox(m_state, rect)));
        paintBackground(label, clLime, clBlack);
    }

    for (int n = 1; n <= 2; ++n)
        watchRow(addImage(QStringLiteral("Image%1").arg(n), *rowImageRect(m_state, n), m_sheet));
}

void TfrmPage::createRows() {
    const int rows = m_state.rowsPerScreen;
    for (int n = 3; n <= rowImageCount(m_state); ++n) {
        if (n == 2 * rows + 1) {
            const PageRect divider = page2Rect(m_state);
            m_edtPage2 = new QLineEdit(QStringLiteral("Page2"), m_sheet);
            m_edtPage2->setObjectName(QStringLiteral("edtPage2"));
            m_edtPage2->setReadOnly(true);
            m_edtPage2->setFocusPolicy(Qt::NoFocus);
            m_edtPage2->setToolTip(QStringLiteral(u"２ページを表示"));
            m_edtPage2->setGeometry(qtRect(divider));
            m_edtPage2->installEventFilter(this);
        }
        watchRow(addImage(QStringLiteral("Image%1").arg(n), *rowImageRect(m_state, n), m_sheet));
    }
}

void TfrmPage::watchRow(RowImage* row) {
    connect(row, &RowImage::mouseMoved, this, [this, row] { rowHovered(row); });
    connect(row, &RowImage::mouseReleased, this,
            [this, row](Qt::MouseButton button) { rowReleased(row, button); });
}

RowImage* TfrmPage::findRowImage(int n) const {
    return findChild<RowImage*>(QStringLiteral("Image%1").arg(n));
}

void TfrmPage::showEquation(RowImage* image, int n, Colour colour) {
    Messages messages;
    PageRows rows = pageRows(messages);
    tavolini::showEquation(rows, image != nullptr ? &image->canvas() : nullptr, n, colour);
    showMessages(m_dialogs, messages);
}

void TfrmPage::showEquation(int n, Colour colour) {
    showEquation(findRowImage(n), n, colour);
    noteDrawing(n, RowDrawing{false, colour});
    bringRowIntoView(n);
}

void TfrmPage::showStep(int n, Colour colour) {
    Messages messages;
    PageRows rows = pageRows(messages);
    RowImage* image = findRowImage(n);
    tavolini::showStep(rows, image != nullptr ? &image->canvas() : nullptr, n, colour);
    showMessages(m_dialogs, messages);
    noteDrawing(n, RowDrawing{true, colour});
    bringRowIntoView(n);
}

void TfrmPage::noteDrawing(int n, std::optional<RowDrawing> drawing) {
    if (n >= 0 && n < EquationSlots) m_drawnRows[static_cast<std::size_t>(n)] = drawing;
}

std::optional<RowDrawing> TfrmPage::rowDrawing(int n) const {
    return n >= 0 && n < EquationSlots ? m_drawnRows[static_cast<std::size_t>(n)] : std::nullopt;
}

void TfrmPage::bringRowIntoView(int n) {
    const RowImage* row = findRowImage(n);
    // An answer is seen once its box shows.
    if (row == nullptr || !row->isVisibleTo(m_sheet)) return;
    const QPoint at = row->mapTo(m_sheet, QPoint(0, 0));
    const int top = n <= 2 ? 0 : at.y();
    const PageRect rect{at.x(), top, row->width(), at.y() + row->height() - top};
    if (const std::optional<int> scroll =
            scrollToShow(verticalScrollBar()->value(), viewport()->height(), rect))
        verticalScrollBar()->setValue(*scroll);
}

void TfrmPage::blankRow(int n) {
    if (RowImage* row = findRowImage(n)) row->canvas().clear();
    noteDrawing(n, std::nullopt);
}

void TfrmPage::writeRowText(int n, int r, std::string_view text, Colour colour) {
    tavolini::writeRowText(m_rows, n, r, text, colour);
    bringRowIntoView(n);
}

void TfrmPage::drawRowLabel(int n) {
    Messages unused; // a label reports nothing
    PageRows rows = pageRows(unused);
    tavolini::drawRowLabel(rows, n);
}

void TfrmPage::toggleRowOutline(int n) {
    Messages messages;
    tavolini::toggleRowOutline(messages, m_rows, n);
    showMessages(m_dialogs, messages);
}

void TfrmPage::markRow(int n) {
    tavolini::markRow(m_rows, n);
}

void TfrmPage::placeAnswerBox(int n) {
    if (!m_answerBraceDrawn) {
        m_imgKotaeKakko->canvas().setPicture(answerBraceBitmap());
        m_answerBraceDrawn = true;
    }
    const PagePoint at = answerBoxPosition(m_state, n, width());
    m_grbKai->move(at.x, at.y);
    m_grbKai->show();
    fitSheet(at);
}

void TfrmPage::hideAnswerBox() {
    m_grbKai->hide();
    fitSheet(std::nullopt);
}

void TfrmPage::fitSheet(std::optional<PagePoint> answerBox) {
    const PageRect sheet = sheetRect(m_state, answerBox);
    m_sheet->setMinimumSize(sheet.width, sheet.height);
}

void TfrmPage::showAnswerBrace() {
    m_imgKotaeKakko->show();
}

void TfrmPage::scrollDown() {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + height());
}

void TfrmPage::scrollToTop() {
    verticalScrollBar()->setValue(0);
}

void TfrmPage::setPageMessage(std::string_view text) {
    m_pageMessage = text;
    printMessage();
}

void TfrmPage::appendPageMessage(std::string_view text) {
    m_pageMessage += text;
    printMessage();
}

void TfrmPage::printMessage() {
    m_lblMess->setText(fromCp932(m_pageMessage));
    printPageMessage(m_rows, m_algebra.equationCount, m_pageMessage);
}

void TfrmPage::hoverOffRows() {
    Messages messages;
    tavolini::hoverOffRows(m_state, messages, m_rows);
    showMessages(m_dialogs, messages);
}

void TfrmPage::rowHovered(const RowImage* row) {
    const std::optional<int> n = rowNumberFromName(row->objectName().toStdString());
    if (!n) return;
    Messages messages;
    hoverOverRow(m_state, messages, m_rows, m_algebra.equationCount, *n, m_events.nextProblemBlinking());
    showMessages(m_dialogs, messages);
}

void TfrmPage::rowReleased(const RowImage* row, Qt::MouseButton button) {
    const std::optional<int> n = rowNumberFromName(row->objectName().toStdString());
    if (!n) return;
    switch (rowClick(*n, m_algebra.equationCount, button == Qt::RightButton)) {
    case RowClick::Mark:
        markRow(*n);
        break;
    case RowClick::Choose:
        m_events.chooseEquation(*n);
        break;
    case RowClick::Nothing:
        break;
    }
}

void TfrmPage::keyPressEvent(QKeyEvent* event) {
    m_events.pageKey(virtualKeyCode(*event), event->modifiers().testFlag(Qt::ShiftModifier),
                     toCp932(event->text()));
    event->accept();
}

bool TfrmPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_sheet && event->type() == QEvent::MouseMove) hoverOffRows();
    if (watched == m_edtPage2 && event->type() == QEvent::MouseButtonRelease) scrollDown();
    return QScrollArea::eventFilter(watched, event);
}

} // namespace tavolini
