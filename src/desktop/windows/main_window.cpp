// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/windows/main_window.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "desktop/drawing/qt_forms.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/key_codes.h"
#include "desktop/platform/text_codec.h"
#include "desktop/platform/window_placement.h"
#include "desktop/windows/page_window.h"
#include "operations/operation.h"
#include "practice/panel_layout.h"
#include "presentation/page_layout.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <chrono>

namespace tavolini {
namespace {

constexpr int FontPixels = 12; // the panel's captions and menus
constexpr int CaptionHeight = 20;
constexpr int TaskBarHeight = 28;   // the design leaves it free below the window
constexpr int NonClientHeight = 56; // title bar, menu bar and frame: the panel has the rest
constexpr std::chrono::milliseconds BlinkInterval{1000};
constexpr QColor WindowColour{0, 192, 192};
constexpr QColor Teal{0, 128, 128};
constexpr QColor Grey{160, 160, 160};

// The glyphs of the operation buttons and of the blinking next-problem
// button, drawn by the program on a square around its centre.
constexpr int GlyphSize = 19;
constexpr qreal GlyphCentre = 9.5;
constexpr qreal GlyphPen = 2.2;
constexpr qreal BarReach = 6.5;  // half the bars of + - ÷, and of the next arrow's height
constexpr qreal CrossReach = 5;  // half the arms of ×, along each axis
constexpr qreal DotDistance = 5; // the dots of ÷ above and below the bar
constexpr qreal DotRadius = 1.3;
constexpr qreal ArrowBack = 5.5; // the next arrow's back edge left of the centre

// The panel's column: wider by a scroll bar when it is lower than the panel.
int panelAreaWidth(int areaHeight, int scrollBarWidth) {
    return PanelWidth + (areaHeight < PanelHeight ? scrollBarWidth : 0);
}

// A glyph at the screen's device pixel ratio, to paint on.
QPixmap glyphPixmap() {
    QPixmap glyph(QSize(GlyphSize, GlyphSize) * screenPixelRatio());
    glyph.setDevicePixelRatio(screenPixelRatio());
    glyph.fill(Qt::transparent);
    return glyph;
}

QPointF fromCentre(qreal dx, qreal dy) {
    return {GlyphCentre + dx, GlyphCentre + dy};
}

QPixmap operationGlyph(Glyph shape) {
    QPixmap glyph = glyphPixmap();
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, GlyphPen, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::black);
    switch (shape) {
    case Glyph::Times:
        painter.drawLine(fromCentre(-CrossReach, -CrossReach), fromCentre(CrossReach, CrossReach));
        painter.drawLine(fromCentre(CrossReach, -CrossReach), fromCentre(-CrossReach, CrossReach));
        break;
    case Glyph::Obelus:
        painter.drawLine(fromCentre(-BarReach, 0), fromCentre(BarReach, 0));
        painter.drawEllipse(fromCentre(0, -DotDistance), DotRadius, DotRadius);
        painter.drawEllipse(fromCentre(0, DotDistance), DotRadius, DotRadius);
        break;
    case Glyph::Plus:
        painter.drawLine(fromCentre(0, -BarReach), fromCentre(0, BarReach));
        [[fallthrough]];
    case Glyph::Minus:
        painter.drawLine(fromCentre(-BarReach, 0), fromCentre(BarReach, 0));
        break;
    case Glyph::None:
        break;
    }
    return glyph;
}

QPixmap nextGlyph(QColor colour) {
    QPixmap glyph = glyphPixmap();
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF(
        {fromCentre(-ArrowBack, -BarReach), fromCentre(BarReach, 0), fromCentre(-ArrowBack, BarReach)}));
    return glyph;
}

bool isInside(const QObject* object, const QWidget* ancestor) {
    for (; object != nullptr; object = object->parent())
        if (object == ancestor) return true;
    return false;
}

QString named(const std::string& name) {
    return QString::fromStdString(name);
}

} // namespace

TfrmMain::TfrmMain(DrillData& state, Dialogs& dialogs, DrillDialogs& drillDialogs, QSize screen,
                   QWidget* parent)
    : QMainWindow(parent), m_pageState(state.page) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Orbiset Tavolini"));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, WindowColour);
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(shippedFont(Face::PGothic, FontPixels));
    // The design's size, the whole screen, is where the window starts; its
    // frame is kept on the screen and it can be resized freely.
    placeOnScreen(*this, QRect(0, 0, screen.width(), screen.height() - TaskBarHeight));

    auto* central = new QWidget(this);
    central->setMouseTracking(true);
    setCentralWidget(central);
    setMouseTracking(true);
    createMenus();
    createPanel();

    m_pageCaption = new QLabel(central);
    m_pageCaption->setObjectName(QString::fromLatin1(PageCaptionName));
    m_pageCaption->setStyleSheet(QStringLiteral("background: navy; color: white; padding-left: 4px;"));
    m_pageCaption->setFixedHeight(CaptionHeight);
    const int panelHeight = screen.height() - TaskBarHeight - NonClientHeight;
    const PageSetup setup{
        screen.width(), screen.width(), {0, CaptionHeight, PanelWidth, panelHeight - CaptionHeight}};
    m_session = std::make_unique<DrillSession>(
        state, dialogs, drillDialogs, *this, [&](PageEvents& events) -> PageView& {
            m_page = new TfrmPage(state.algebra, dialogs, state.layout, state.page, events, setup, central);
            return *m_page;
        });
    layOut(central);

    m_imgNextQ = nextGlyph(Qt::darkBlue);
    m_imgNextR = nextGlyph(Qt::red);
    m_btnNext->setIcon(m_imgNextQ);
    m_timBlink.setInterval(BlinkInterval);
    connect(&m_timBlink, &QTimer::timeout, this, &TfrmMain::timBlinkTimer);
    qApp->installEventFilter(this);
}

TfrmMain::~TfrmMain() {
    qApp->removeEventFilter(this);
}

void TfrmMain::setOpener(FrontEndWindow window, std::function<void()> opener) {
    m_openers[static_cast<std::size_t>(window)] = std::move(opener);
}

// Every button is a click on the session by its name.
QPushButton* TfrmMain::addButton(QWidget* parent, const std::string& name, const QString& caption,
                                 QRect rect) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(named(name));
    button->setGeometry(rect);
    connect(button, &QPushButton::clicked, this, [this, name] { m_session->click(name); });
    return button;
}

QGroupBox* TfrmMain::addGroup(QWidget* parent, const char* name, QRect rect) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(rect);
    paintGroup(group, true);
    return group;
}

// The panel keeps its designed size and scrolls when the window is lower;
// the page takes the rest and scrolls both ways when it is smaller.
void TfrmMain::layOut(QWidget* central) {
    auto* right = new QVBoxLayout;
    right->setSpacing(0);
    right->addWidget(m_pageCaption);
    right->addWidget(m_page, 1);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(m_panelArea);
    columns->addLayout(right, 1);
    m_page->setMinimumSize(0, 0);
    m_page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (m_panelArea == nullptr) return;
    const int areaHeight = centralWidget() != nullptr ? centralWidget()->height() : height();
    m_panelArea->setFixedWidth(
        panelAreaWidth(areaHeight, m_panelArea->verticalScrollBar()->sizeHint().width()));
}

void TfrmMain::createPanel() {
    m_panelArea = new QScrollArea(centralWidget());
    m_panelArea->setObjectName(QStringLiteral("pnlMainArea"));
    m_panelArea->setFrameShape(QFrame::NoFrame);
    m_panelArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_panelArea->setFixedWidth(PanelWidth);
    m_panelArea->viewport()->setAutoFillBackground(false);
    m_panel = new QWidget;
    m_panel->setObjectName(QStringLiteral("pnlMain"));
    m_panel->setMouseTracking(true);
    m_panel->setFixedSize(PanelWidth, PanelHeight);
    m_panelArea->setWidget(m_panel);

    for (int n = 1; n <= EquationButtons; ++n)
        addButton(m_panel, equationButtonName(n), fromCp932(EquationLabels()[static_cast<std::size_t>(n)]),
                  qtRect(equationButtonRect(n)));
    createOperationGroup(m_panel);
    createNumberPad(m_panel);
    for (const PanelButton& button : PanelButtons)
        addButton(m_panel, button.name, uiText(button.caption), qtRect(button.rect));
    m_btnNext = m_panel->findChild<QPushButton*>(QString::fromLatin1(NextButton.name));
    for (const PanelButton& scroll : {ScrollDownButton, ScrollUpButton})
        m_panel->findChild<QPushButton*>(QString::fromLatin1(scroll.name))
            ->setToolTip(uiText(spokenName(scroll.name)));
}

void TfrmMain::createOperationGroup(QWidget* panel) {
    QGroupBox* group = addGroup(panel, "grbSousa", qtRect(OperationGroupRect));
    for (const OperationPlace& place : OperationPlaces) {
        const OperationRow& row = operationRow(place.operation);
        const bool drawn = row.glyph != Glyph::None;
        QPushButton* button =
            addButton(group, row.buttonName, uiText(drawn ? "" : row.label), qtRect(place.rect));
        if (drawn) button->setIcon(operationGlyph(row.glyph));
    }
}

void TfrmMain::createNumberPad(QWidget* panel) {
    QGroupBox* group = addGroup(panel, NumberPadName, qtRect(NumberPadRect));
    auto* operand = new QLabel(group);
    operand->setObjectName(QString::fromLatin1(OperandDisplayName));
    operand->setGeometry(qtRect(OperandDisplayRect));
    operand->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    operand->setStyleSheet(
        QStringLiteral("background: black; color: aqua; font-weight: bold; padding-right: 3px;"));
    for (const PadKey& key : PadKeys) {
        QPushButton* button = addButton(group, key.name, uiText(key.caption), qtRect(padKeyRect(key)));
        button->setFocusPolicy(Qt::NoFocus);
        if (std::string_view(key.fed) == "CL") button->setToolTip(uiText(spokenName(key.name)));
    }
}

// Every entry is a choice of the session by its name; a key beside it is
// only shown here, the session takes it as a key.
void TfrmMain::createMenus() {
    std::array<QMenu*, Menus.size()> menus{};
    for (std::size_t m = 0; m < Menus.size(); ++m) {
        menus[m] = menuBar()->addMenu(uiText(Menus[m].caption));
        menus[m]->setObjectName(QString::fromLatin1(Menus[m].name));
    }
    for (const MenuEntry& entry : MenuEntries) {
        QMenu* menu = menus[static_cast<std::size_t>(entry.menu)];
        if (entry.separatorBefore) menu->addSeparator();
        QString caption = uiText(entry.caption);
        if (entry.key != 0) caption += QLatin1Char('\t') + QString::fromStdString(keyName(entry.key));
        QAction* action = menu->addAction(caption);
        const std::string name = entry.name;
        action->setObjectName(named(name));
        connect(action, &QAction::triggered, this, [this, name] { m_session->menu(name); });
    }
}

void TfrmMain::paintGroup(QGroupBox* group, bool enabled) {
    group->setStyleSheet(QStringLiteral("QGroupBox#%1 { background: %2; border: 1px solid #404040; }")
                             .arg(group->objectName(), (enabled ? Teal : Grey).name()));
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!m_session->windowClosing()) return event->ignore();
    event->accept();
}

void TfrmMain::enableControl(const std::string& name, bool enabled) {
    if (auto* action = findChild<QAction*>(named(name))) return action->setEnabled(enabled);
    QWidget* control = findChild<QWidget*>(named(name));
    if (control == nullptr) return;
    control->setEnabled(enabled);
    if (auto* group = qobject_cast<QGroupBox*>(control)) paintGroup(group, enabled);
}

void TfrmMain::showControl(const std::string& name, bool visible) {
    if (QWidget* control = findChild<QWidget*>(named(name))) control->setVisible(visible);
}

void TfrmMain::setControlText(const std::string& name, std::string_view text) {
    if (auto* label = findChild<QLabel*>(named(name))) label->setText(fromCp932(text));
}

void TfrmMain::focusControl(const std::string& name) {
    if (QWidget* control = findChild<QWidget*>(named(name))) control->setFocus();
}

void TfrmMain::blink(bool on) {
    if (on)
        m_timBlink.start();
    else
        m_timBlink.stop();
}

void TfrmMain::timBlinkTimer() {
    m_btnNext->setIcon(m_blinkPhase ? m_imgNextR : m_imgNextQ);
    m_blinkPhase = !m_blinkPhase;
}

void TfrmMain::open(FrontEndWindow window) {
    if (const auto& opener = m_openers[static_cast<std::size_t>(window)]) opener();
}

void TfrmMain::closeWindow() {
    QTimer::singleShot(0, this, &QWidget::close);
}

// The main window sees every key first; the page hands its own keys to the
// session itself.
bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    const bool mine = watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this &&
                      !isInside(watched, m_page);
    if (mine && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return m_session->key(virtualKeyCode(*key), key->modifiers().testFlag(Qt::ShiftModifier),
                              toCp932(key->text()), KeyPlace::Window);
    }
    if (mine && event->type() == QEvent::MouseMove && m_pageState.hoverFrozen == 0) m_page->hoverOffRows();
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::mouseMoveEvent(QMouseEvent* event) {
    if (m_pageState.hoverFrozen == 0) m_page->hoverOffRows();
    QMainWindow::mouseMoveEvent(event);
}

} // namespace tavolini
