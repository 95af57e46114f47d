// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/windows/main_window.h"

#include "core/cp932.h"
#include "core/dialogs.h"
#include "core/equation_labels.h"
#include "desktop/drawing/qimage_canvas.h"
#include "desktop/drawing/qt_forms.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/key_codes.h"
#include "desktop/platform/text_codec.h"
#include "desktop/platform/window_placement.h"
#include "desktop/windows/page_window.h"
#include "operations/operation.h"
#include "practice/panel_layout.h"
#include "practice/start_up_set.h"
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
#include <iterator>

namespace tavolini {
namespace {

constexpr int CaptionHeight = 20;
constexpr int TaskBarHeight = 28; // the design leaves it free below the window
constexpr QColor WindowColour{0, 192, 192};
constexpr QColor Teal{0, 128, 128};
constexpr QColor Grey{160, 160, 160};

// The panel's column: wider by a scroll bar when it is lower than the panel.
int panelAreaWidth(int areaHeight, int scrollBarWidth) {
    return PanelWidth + (areaHeight < PanelHeight ? scrollBarWidth : 0);
}

// The glyphs of the operation buttons and of the blinking next-problem
// button, drawn by the program.
// A 19 x 19 glyph at the screen's device pixel ratio, to paint on.
QPixmap glyphPixmap() {
    QPixmap glyph(QSize(19, 19) * screenPixelRatio());
    glyph.setDevicePixelRatio(screenPixelRatio());
    glyph.fill(Qt::transparent);
    return glyph;
}

QPixmap operationGlyph(Glyph shape) {
    QPixmap glyph = glyphPixmap();
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::black);
    switch (shape) {
    case Glyph::Times:
        painter.drawLine(QPointF(4.5, 4.5), QPointF(14.5, 14.5));
        painter.drawLine(QPointF(14.5, 4.5), QPointF(4.5, 14.5));
        break;
    case Glyph::Obelus:
        painter.drawLine(QPointF(3, 9.5), QPointF(16, 9.5));
        painter.drawEllipse(QPointF(9.5, 4.5), 1.3, 1.3);
        painter.drawEllipse(QPointF(9.5, 14.5), 1.3, 1.3);
        break;
    case Glyph::Plus:
        painter.drawLine(QPointF(9.5, 3), QPointF(9.5, 16));
        [[fallthrough]];
    case Glyph::Minus:
        painter.drawLine(QPointF(3, 9.5), QPointF(16, 9.5));
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
    painter.drawPolygon(QPolygonF({QPointF(4, 3), QPointF(16, 9.5), QPointF(4, 16)}));
    return glyph;
}

bool isInside(const QObject* object, const QWidget* ancestor) {
    for (; object != nullptr; object = object->parent())
        if (object == ancestor) return true;
    return false;
}

} // namespace

TfrmMain::TfrmMain(DrillData& state, Dialogs& dialogs, DrillDialogs& drillDialogs, QSize screen,
                   QWidget* parent)
    : QMainWindow(parent), m_state(state), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Orbiset Tavolini"));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, WindowColour);
    setPalette(colours);
    setAutoFillBackground(true);
    QFont windowFont = shippedFont(Face::PGothic, 12);
    setFont(windowFont);
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
    m_pageCaption->setObjectName(QStringLiteral("lblPageCaption"));
    m_pageCaption->setStyleSheet(QStringLiteral("background: navy; color: white; padding-left: 4px;"));
    m_pageCaption->setFixedHeight(CaptionHeight);
    const int panelHeight = screen.height() - TaskBarHeight - 56;
    const PageSetup setup{
        screen.width(), screen.width(), {0, CaptionHeight, PanelWidth, panelHeight - CaptionHeight}};
    m_page = new TfrmPage(state.algebra, dialogs, state.layout, state.page, *this, setup, central);
    layOut(central);

    m_commandPanel = std::make_unique<CommandPanel>(state.algebra, dialogs, state.command, state.answers,
                                                    state.page, *m_page, *this);
    m_practice = std::make_unique<PracticeFlow>(
        PracticeContext{state.algebra, dialogs, state.command, state.answers, state.page, state.problems,
                        state.records, *m_page, *this, *this, drillDialogs, *m_commandPanel});
    m_menu = std::make_unique<ProblemSetMenu>(state.problems, dialogs, *m_practice);

    m_imgNextQ = nextGlyph(Qt::darkBlue);
    m_imgNextR = nextGlyph(Qt::red);
    m_btnNext->setIcon(m_imgNextQ);
    m_timBlink.setInterval(1000);
    connect(&m_timBlink, &QTimer::timeout, this, &TfrmMain::timBlinkTimer);
    qApp->installEventFilter(this);
}

TfrmMain::~TfrmMain() {
    qApp->removeEventFilter(this);
}

QPushButton* TfrmMain::addButton(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    return button;
}

QPushButton* TfrmMain::addButton(QWidget* parent, const PanelButton& button) {
    return addButton(parent, button.name, uiText(button.caption), qtRect(button.rect));
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

    for (int n = 1; n <= EquationButtons; ++n) {
        const std::string name = "btnShiki" + std::to_string(n);
        QPushButton* button =
            addButton(m_panel, name.c_str(), fromCp932(EquationLabels()[static_cast<std::size_t>(n)]),
                      qtRect(equationButtonRect(n)));
        button->setEnabled(false);
        connect(button, &QPushButton::clicked, this, [this, n] { m_commandPanel->chooseEquation(n); });
        m_equationButtons[static_cast<std::size_t>(n)] = button;
    }
    createOperationGroup(m_panel);
    m_btnJikkou = addButton(m_panel, ExecuteButton);
    connect(m_btnJikkou, &QPushButton::clicked, this, &TfrmMain::btnJikkouClick);
    connect(addButton(m_panel, CorrectButton), &QPushButton::clicked, this, &TfrmMain::btnTeiseiClick);
    createNumberPad(m_panel);
    m_btnNext = addButton(m_panel, NextButton);
    connect(m_btnNext, &QPushButton::clicked, this, &TfrmMain::btnNextClick);
    connect(addButton(m_panel, PrintButton), &QPushButton::clicked, this, &TfrmMain::showPrint);
    m_btnChangeTangen = addButton(m_panel, ChangeUnitButton);
    connect(m_btnChangeTangen, &QPushButton::clicked, this, &TfrmMain::changeUnit);
    QPushButton* down = addButton(m_panel, ScrollDownButton);
    down->setToolTip(uiText("下スクロール"));
    connect(down, &QPushButton::clicked, this, [this] { m_page->scrollDown(); });
    QPushButton* up = addButton(m_panel, ScrollUpButton);
    up->setToolTip(uiText("上スクロール"));
    connect(up, &QPushButton::clicked, this, [this] { m_page->scrollToTop(); });
    m_btnJikkou->setEnabled(false);
}

void TfrmMain::createOperationGroup(QWidget* panel) {
    m_grbSousa = new QGroupBox(panel);
    m_grbSousa->setObjectName(QStringLiteral("grbSousa"));
    m_grbSousa->setGeometry(qtRect(OperationGroupRect));
    for (const OperationPlace& place : OperationPlaces) {
        const OperationRow& row = operationRow(place.operation);
        const bool drawn = row.glyph != Glyph::None;
        QPushButton* button =
            addButton(m_grbSousa, row.buttonName, uiText(drawn ? "" : row.label), qtRect(place.rect));
        if (drawn) button->setIcon(operationGlyph(row.glyph));
        const Operation operation = place.operation;
        connect(button, &QPushButton::clicked, this,
                [this, operation] { m_commandPanel->chooseOperation(operation); });
    }
    paintGroup(m_grbSousa, true);
}

void TfrmMain::createNumberPad(QWidget* panel) {
    m_grbNumber = new QGroupBox(panel);
    m_grbNumber->setObjectName(QStringLiteral("grbNumber"));
    m_grbNumber->setGeometry(qtRect(NumberPadRect));
    m_pnlNumber = new QLabel(m_grbNumber);
    m_pnlNumber->setObjectName(QStringLiteral("pnlNumber"));
    m_pnlNumber->setGeometry(qtRect(OperandDisplayRect));
    m_pnlNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pnlNumber->setStyleSheet(
        QStringLiteral("background: black; color: aqua; font-weight: bold; padding-right: 3px;"));
    for (const PadKey& key : PadKeys) {
        QPushButton* button = addButton(m_grbNumber, key.name, uiText(key.caption), qtRect(padKeyRect(key)));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, &key] { pressPadKey(*m_commandPanel, key); });
        if (std::string_view(key.fed) == "CL") button->setToolTip(uiText("クリアする"));
    }
    enableNumberPad(false);
}

void TfrmMain::createMenus() {
    auto add = [this](QMenu* menu, const char* name, const char* caption, bool enabled) {
        QAction* action = menu->addAction(uiText(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        return action;
    };
    QMenu* file = menuBar()->addMenu(uiText("ファイル(&F)"));
    file->setObjectName(QStringLiteral("mnuSave"));
    connect(add(file, "mnuOpen", "開く(&O)", true), &QAction::triggered, this,
            [this] { runMenuFlow(&ProblemSetMenu::open); });
    connect(add(file, "mnuSaveAs", "保存する(&S)", true), &QAction::triggered, this,
            [this] { m_menu->saveProblemSet(); });
    file->addSeparator();
    connect(add(file, "mnuPrint", "印刷する(&P)", true), &QAction::triggered, this, &TfrmMain::showPrint);
    file->addSeparator();
    connect(add(file, "mnuExit", "終了(&X)", true), &QAction::triggered, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(uiText("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    connect(add(edit, "mnuEditZudir", "問題を編集する(&E)", true), &QAction::triggered, this,
            [this] { runMenuFlow(&ProblemSetMenu::edit); });
    QMenu* view = menuBar()->addMenu(uiText("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuDisplay"));
    connect(add(view, "mnuShowRecord", "練習の記録(&R)", true), &QAction::triggered, this, [this] {
        if (m_lookBack.showRecords) m_lookBack.showRecords();
    });
    connect(add(view, "mnuDump", "スタック(&S)", true), &QAction::triggered, this, [this] {
        if (m_lookBack.showStack) m_lookBack.showStack();
    });
    QMenu* change = menuBar()->addMenu(uiText("問題変更(&M)"));
    change->setObjectName(QStringLiteral("mnuChangeQues"));
    m_mnuNext = add(change, "mnuNext", "次の問題(&N)", true);
    connect(m_mnuNext, &QAction::triggered, this, &TfrmMain::btnNextClick);
    m_mnuChange = add(change, "mnuChange", "単元変更(&C)", true);
    connect(m_mnuChange, &QAction::triggered, this, &TfrmMain::changeUnit);
    QMenu* help = menuBar()->addMenu(uiText("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* usage = add(help, "mnuUsage", "使い方(&U)", true);
    usage->setShortcut(QKeySequence::HelpContents); // F1: the main window's help is the contents
    connect(usage, &QAction::triggered, this, [this] {
        if (m_help.showContents) m_help.showContents();
    });
    connect(add(help, "OnePoint", "ワンポイント(&P)", true), &QAction::triggered, this, [this] {
        if (m_help.showOnePoint) m_help.showOnePoint();
    });
    QAction* hint = add(help, "mnuHint", "ヒント(&T)", true);
    hint->setShortcut(Qt::Key_F2);
    connect(hint, &QAction::triggered, this, [this] { m_commandPanel->showHint(); });
    connect(add(help, "mnuVersion", "バージョン情報(&V)", true), &QAction::triggered, this, [this] {
        if (m_help.showAbout) m_help.showAbout();
    });
}

void TfrmMain::paintGroup(QGroupBox* group, bool enabled) {
    group->setStyleSheet(QStringLiteral("QGroupBox#%1 { background: %2; border: 1px solid #404040; }")
                             .arg(group->objectName(), (enabled ? Teal : Grey).name()));
}

bool TfrmMain::startPractice(const std::string& path) {
    const StartUp start = tavolini::startPractice(m_state.problems, m_state.records, m_state.algebra,
                                                  m_dialogs, *this, *m_practice, path);
    if (start == StartUp::Ended) return false;
    setProblemSetAvailable(start == StartUp::Practising);
    if (start == StartUp::Practising) moveFocus();
    return true;
}

void TfrmMain::openAtStart(const std::string& path) {
    m_menu->openChosen(path);
    setProblemSetAvailable(m_state.problems.unitCount > 0);
    moveFocus();
}

void TfrmMain::runMenuFlow(void (ProblemSetMenu::*flow)()) {
    (m_menu.get()->*flow)();
    setProblemSetAvailable(m_state.problems.unitCount > 0);
    moveFocus();
}

void TfrmMain::showPrint() {
    if (m_print) m_print();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!m_menu->mayClose()) return event->ignore();
    m_practice->writeHeldRecords();
    event->accept();
}

void TfrmMain::setProblemSetAvailable(bool available) {
    m_btnNext->setEnabled(available);
    m_mnuNext->setEnabled(available);
    m_btnChangeTangen->setEnabled(available);
    m_mnuChange->setEnabled(available);
}

void TfrmMain::enableEquationButton(int n, bool enabled) {
    if (n >= 1 && n <= EquationButtons) m_equationButtons[static_cast<std::size_t>(n)]->setEnabled(enabled);
}

void TfrmMain::hideEquationButton(int n) {
    if (n >= 1 && n <= EquationButtons) m_equationButtons[static_cast<std::size_t>(n)]->hide();
}

void TfrmMain::enableExecute(bool enabled) {
    m_btnJikkou->setEnabled(enabled);
}
bool TfrmMain::executeEnabled() const {
    return m_btnJikkou->isEnabled();
}

void TfrmMain::enableNext(bool enabled) {
    m_btnNext->setEnabled(enabled);
    m_mnuNext->setEnabled(enabled);
}

bool TfrmMain::nextEnabled() const {
    return m_btnNext->isEnabled();
}

void TfrmMain::enableNumberPad(bool enabled) {
    m_grbNumber->setEnabled(enabled);
    paintGroup(m_grbNumber, enabled);
}

void TfrmMain::showOperand(std::string_view operand) {
    m_pnlNumber->setText(fromCp932(operand));
}

void TfrmMain::moveFocus() {
    if (m_btnJikkou->isEnabled())
        m_btnJikkou->setFocus();
    else if (m_btnNext->isEnabled())
        m_btnNext->setFocus();
}

void TfrmMain::startBlink() {
    m_timBlink.start();
}
void TfrmMain::stopBlink() {
    m_timBlink.stop();
}

void TfrmMain::timBlinkTimer() {
    m_btnNext->setIcon(m_blinkPhase ? m_imgNextR : m_imgNextQ);
    m_blinkPhase = !m_blinkPhase;
}

void TfrmMain::setPageCaption(std::string_view caption) {
    m_pageCaption->setText(fromCp932(caption));
}

void TfrmMain::scrollQuarterPage() {
    QScrollBar* bar = m_page->verticalScrollBar();
    bar->setValue(bar->value() + m_page->height() / 4);
}

void TfrmMain::chooseEquation(int n) {
    m_commandPanel->chooseEquation(n);
}

void TfrmMain::pageKey(int keyCode, bool shift, std::string_view text) {
    handleKey(keyCode, shift, text, false);
}

bool TfrmMain::nextProblemBlinking() const {
    return m_timBlink.isActive();
}

void TfrmMain::endProgram() {
    QTimer::singleShot(0, this, &QWidget::close);
}

void TfrmMain::btnJikkouClick() {
    m_practice->btnJikkouClick();
}
void TfrmMain::btnTeiseiClick() {
    m_commandPanel->resetPanel();
}
void TfrmMain::btnNextClick() {
    m_practice->btnNextClick();
}
void TfrmMain::changeUnit() {
    m_practice->changeUnit();
}

// The main window sees every key first. With no command begun every key is
// dropped; otherwise the keys of the drill are used and the rest go on.
bool TfrmMain::handleKey(int keyCode, bool shift, std::string_view text, bool swallowIdle) {
    return enterKey(*m_commandPanel, *m_practice, keyCode, shift, text, swallowIdle);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    const bool mine = watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this &&
                      !isInside(watched, m_page);
    if (mine && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return handleKey(virtualKeyCode(*key), key->modifiers().testFlag(Qt::ShiftModifier),
                         toCp932(key->text()), true);
    }
    if (mine && event->type() == QEvent::MouseMove && m_state.page.hoverFrozen == 0) m_page->hoverOffRows();
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::mouseMoveEvent(QMouseEvent* event) {
    if (m_state.page.hoverFrozen == 0) m_page->hoverOffRows();
    QMainWindow::mouseMoveEvent(event);
}

} // namespace tavolini
