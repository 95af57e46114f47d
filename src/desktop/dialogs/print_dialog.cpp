// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/dialogs/print_dialog.h"

#include "core/algebra.h"
#include "core/cp932.h"
#include "core/dialogs.h"
#include "core/text_file.h"
#include "desktop/drawing/printer_target.h"
#include "desktop/drawing/qimage_canvas.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/text_codec.h"
#include "desktop/platform/window_placement.h"
#include "desktop/windows/page_window.h"
#include "files/problem_set.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace tavolini {
namespace {

constexpr QSize DialogSize{380, 288};
// Our printouts have the proportions they were designed for on every printer.
constexpr int PrintResolution = 600;

QSpinBox* upDown(QWidget* parent, const char* name, const char* editName, int low, int high, int start,
                 QRect rect) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* edit = box->findChild<QLineEdit*>();
    edit->setObjectName(QString::fromLatin1(editName));
    edit->setReadOnly(true); // set by the arrows only
    box->setRange(low, high);
    box->setValue(start);
    box->setWrapping(false);
    box->setGeometry(rect);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect rect) {
    auto* pushButton = new QPushButton(uiText(caption), parent);
    pushButton->setObjectName(QString::fromLatin1(name));
    pushButton->setGeometry(rect);
    return pushButton;
}

// A sheet with rows, for 全画面印刷.
QIcon wholePageIcon() {
    QPixmap glyph(QSize(40, 52) * screenPixelRatio());
    glyph.setDevicePixelRatio(screenPixelRatio());
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::white);
    painter.drawRect(2, 2, 36, 48);
    painter.setPen(QPen(Qt::darkBlue, 2));
    for (int y = 12; y <= 40; y += 7)
        painter.drawLine(8, y, 32, y);
    return QIcon(glyph);
}

// The hourglass for as long as a job runs.
class WaitCursor {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

TfrmPrintS::TfrmPrintS(TfrmPage& page, ProblemSet& set, Algebra& algebra, Dialogs& dialogs, int screenWidth,
                       QWidget* parent)
    : QDialog(parent), m_page(page), m_set(set), m_algebra(algebra), m_dialogs(dialogs),
      m_screenWidth(screenWidth) {
    setObjectName(QStringLiteral("frmPrintS"));
    setWindowTitle(QStringLiteral("frmPrintS"));
    setModal(true);
    setFixedSize(DialogSize);
    createControls();
}

void TfrmPrintS::createControls() {
    auto* label3 = new QLabel(uiText("プリントイメージ"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->move(8, 8);
    m_edtSample = new QLineEdit(this);
    m_edtSample->setObjectName(QStringLiteral("edtSample"));
    m_edtSample->setReadOnly(true);
    m_edtSample->setFocusPolicy(Qt::NoFocus);
    m_edtSample->setGeometry(8, 24, 225, 57);
    auto* label2 = new QLabel(uiText("左側空白（文字数）"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->move(8, 96);
    m_updLMargin = upDown(this, "updLMargin", "edtLMargin", 0, 10, 6, QRect(16, 112, 57, 35));
    auto* label1 = new QLabel(uiText("文字の大きさ"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->move(8, 160);
    m_updSize = upDown(this, "updSize", "edtSize", 1, 5, 2, QRect(16, 176, 57, 33));
    for (QSpinBox* box : {m_updLMargin, m_updSize})
        connect(box, &QSpinBox::valueChanged, this, &TfrmPrintS::refreshPreview);

    connect(button(this, "btnSettei", "プリンタの設定", QRect(128, 96, 89, 33)), &QPushButton::clicked, this,
            &TfrmPrintS::btnSetteiClick);
    connect(button(this, "btnStart", "印刷開始", QRect(128, 136, 89, 33)), &QPushButton::clicked, this,
            &TfrmPrintS::btnStartClick);
    connect(button(this, "btnCancel", "閉じる", QRect(128, 176, 89, 33)), &QPushButton::clicked, this,
            &QDialog::accept);
    // The picture above its caption, as a bitmap button shows them.
    auto* all = new QToolButton(this);
    all->setObjectName(QStringLiteral("btnPrintAll"));
    all->setText(uiText("全画面印刷"));
    all->setIcon(wholePageIcon());
    all->setIconSize(QSize(40, 52));
    all->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    all->setGeometry(240, 96, 97, 113);
    connect(all, &QToolButton::clicked, this, &TfrmPrintS::btnPrintAllClick);
    refreshPreview();
}

void TfrmPrintS::showPrint() {
    prepareShowing();
    exec();
}

void TfrmPrintS::prepareShowing() {
    centreOnScreen(*this);
    refreshPreview();
}

PrintSettings TfrmPrintS::settings() const {
    return {m_updLMargin->value(), m_updSize->value()};
}

void TfrmPrintS::refreshPreview() {
    // Points at 96 dpi, as every size of the design.
    m_edtSample->setFont(shippedFont(Face::Gothic, printPreviewPoints(m_updSize->value()) * 96 / 72));
    m_edtSample->setText(QString::fromStdString(printPreviewText(m_updLMargin->value())));
}

StepPrintout TfrmPrintS::stepPrintout() const {
    return m_page.stepPrintout(problemTitle(m_set.currentUnit, currentProblemNumber(m_set)), m_screenWidth);
}

QPrinter& TfrmPrintS::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setResolution(PrintResolution);
    }
    return *m_printer;
}

bool TfrmPrintS::printOn(QPagedPaintDevice& device, const Job& job) {
    const WaitCursor wait;
    PrinterTarget target(device, m_page);
    const bool printed = target.begun() && job(target);
    return target.finish() && printed;
}

void TfrmPrintS::print(const Job& job) {
    if (m_pdfOnly || QPrinterInfo::availablePrinterNames().isEmpty()) return printIntoPdf(job);
    QPrinter& chosen = printer();
    const bool printed = printOn(chosen, job) && chosen.printerState() != QPrinter::Error &&
                         chosen.printerState() != QPrinter::Aborted;
    if (!printed) m_dialogs.showMessage(cp932("印刷できませんでした"));
}

void TfrmPrintS::printIntoPdf(const Job& job) {
    const std::string preset = m_set.startFolder + std::to_string(m_set.currentUnit) + "-" +
                               std::to_string(currentProblemNumber(m_set)) + ".pdf";
    const std::optional<std::string> chosen = m_dialogs.chooseSaveFile("PDF|*.pdf", preset);
    if (!chosen || chosen->empty()) return;
    // Made in memory and written as a file is saved: a failed job leaves no
    // file, and a pipe or a device at the name is never opened.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(PrintResolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        if (!printOn(writer, job)) return m_dialogs.showMessage(cp932("印刷できませんでした"));
    }
    const std::string path = absolutePath(*chosen);
    const QByteArray& bytes = pdf.data();
    const FileWrite written = writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written) m_dialogs.showMessage(fileWriteMessage(path, written.fault));
}

void TfrmPrintS::btnStartClick() {
    const StepPrintout printout = stepPrintout();
    const PrintSettings chosen = settings();
    print([&](PrintTarget& target) {
        Messages messages;
        const bool printed =
            printSteps(target, printout, chosen, m_page.algebra(), m_page.layout(), messages);
        showMessages(m_dialogs, messages);
        return printed;
    });
}

void TfrmPrintS::btnPrintAllClick() {
    const QSize shown = m_page.size();
    print([shown](PrintTarget& target) {
        printWholePage(target, shown.width(), shown.height());
        return true;
    });
}

void TfrmPrintS::btnSetteiClick() {
    QPrintDialog setUp(&printer(), this);
    setUp.exec();
}

} // namespace tavolini
