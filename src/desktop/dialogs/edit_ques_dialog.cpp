// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/dialogs/edit_ques_dialog.h"

#include "core/cp932.h"
#include "core/dialogs.h"
#include "desktop/platform/fonts.h"
#include "desktop/platform/text_codec.h"
#include "desktop/platform/window_placement.h"
#include "editing/editor_text.h"
#include "files/problem_set.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace tavolini {
namespace {

constexpr int WindowFontPixels = 12;
constexpr int TextFontPixels = 16;
constexpr int ResultColumnWidth = 300;

QLineEdit* resultField(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    return field;
}

} // namespace

TfrmEditQues::TfrmEditQues(ProblemSet& set, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_set(set), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmEditQues"));
    setModal(true);
    QFont windowFont = shippedFont(Face::PGothic, WindowFontPixels);
    setFont(windowFont);
    createControls();
    setEditorCaption(m_set.problemSetPath);
}

void TfrmEditQues::createControls() {
    m_memQues = new QPlainTextEdit(this);
    m_memQues->setObjectName(QStringLiteral("memQues"));
    // The equal-width face, so that the problems' columns line up.
    QFont textFont = plainZeroGothicFont(TextFontPixels);
    m_memQues->setFont(textFont);
    m_memQues->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memQues->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(m_memQues, &QPlainTextEdit::textChanged, this, &TfrmEditQues::textChanged);

    m_edtTangen = resultField("edtTangen", this);
    m_edtResult = resultField("edtResult", this);
    m_edtErTangen = resultField("edtErTangen", this);
    m_lstErQues = new QListWidget(this);
    m_lstErQues->setObjectName(QStringLiteral("lstErQues"));
    m_btnCompile = new QPushButton(uiText("エラーチェック"), this);
    m_btnCompile->setObjectName(QStringLiteral("btnCompile"));
    m_btnOk = new QPushButton(QStringLiteral("OK"), this);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnCancel = new QPushButton(uiText("ｷｬﾝｾﾙ"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton* button : {m_btnCompile, m_btnOk, m_btnCancel})
        button->setAutoDefault(false);
    connect(m_btnCompile, &QPushButton::clicked, this, &TfrmEditQues::btnCompileClick);
    connect(m_btnOk, &QPushButton::clicked, this, &TfrmEditQues::btnOkClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfrmEditQues::reject);

    auto* results = new QWidget(this);
    results->setFixedWidth(ResultColumnWidth);
    auto* column = new QGridLayout(results);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(uiText("単元数"), results), 0, 0);
    column->addWidget(m_edtTangen, 0, 1);
    column->addWidget(new QLabel(uiText("エラーチェックの結果"), results), 1, 0, 1, 2);
    column->addWidget(m_edtResult, 2, 0, 1, 2);
    column->addWidget(new QLabel(uiText("エラーの単元"), results), 3, 0, 1, 2);
    column->addWidget(m_edtErTangen, 4, 0, 1, 2);
    column->addWidget(new QLabel(uiText("エラーの問題"), results), 5, 0, 1, 2);
    column->addWidget(m_lstErQues, 6, 0, 1, 2);
    column->setRowStretch(6, 1);
    column->addWidget(m_btnCompile, 7, 0, 1, 2);
    column->addWidget(m_btnOk, 8, 0);
    column->addWidget(m_btnCancel, 8, 1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_memQues, 0, 0);
    layout->addWidget(results, 0, 1);
    layout->setColumnStretch(0, 1);
}

EditEnd TfrmEditQues::editProblems() {
    prepareShowing();
    return exec() == QDialog::Accepted ? EditEnd::Ok : EditEnd::Cancel;
}

void TfrmEditQues::setEditorCaption(std::string_view path) {
    setWindowTitle(fromCp932(editorCaption(path)));
}

void TfrmEditQues::prepareShowing() {
    if (const QWidget* main = parentWidget())
        placeOnScreen(*this, QRect(0, 0, main->window()->width(), main->window()->height()));
    const std::string text = editorText(m_set.lines);
    {
        const QSignalBlocker quiet(m_memQues);
        m_memQues->setPlainText(QString::fromStdString(text)); // a fresh text: nothing to undo
    }
    // The lines as the editor gives them back (a last empty line is not one),
    // so that a text nobody touched never counts as changed.
    std::vector<std::string> opened;
    for (EditorLine& line : editorLines(text, m_set.lines))
        opened.push_back(std::move(line.text));
    startEditing(m_session, std::move(opened));
    setEditorCaption(m_set.problemSetPath);
    clearResults();
    m_memQues->setFocus(Qt::OtherFocusReason);
}

void TfrmEditQues::textChanged() {
    clearResults();
    noteChange(m_session);
}

std::vector<EditorLine> TfrmEditQues::currentLines() const {
    return editorLines(m_memQues->toPlainText().toStdString(), m_session.openedLines);
}

void TfrmEditQues::clearResults() {
    m_edtTangen->clear();
    m_edtResult->clear();
    m_edtErTangen->clear();
    m_lstErQues->clear();
}

void TfrmEditQues::btnCompileClick() {
    m_edtErTangen->clear();
    m_lstErQues->clear();
    const ProblemCheck check = runCheck(m_session, currentLines());
    showMessages(m_dialogs, check.messages);
    showCheck(check);
}

void TfrmEditQues::showCheck(const ProblemCheck& check) {
    m_edtResult->setText(fromCp932(checkResultText(check.verdict)));
    m_edtTangen->setText(fromCp932(checkUnitCountText(check)));
    // The lines as the teacher wrote them, also those the code page cannot hold.
    const std::vector<std::string> lines = textLines(m_memQues->toPlainText().toStdString());
    const auto line = [&lines](std::size_t i) {
        return QString::fromStdString(i < lines.size() ? lines[i] : std::string());
    };
    switch (check.verdict) {
    case CheckVerdict::Passed:
        m_edtErTangen->setText(fromCp932(noErrorsText()));
        m_lstErQues->addItem(fromCp932(noErrorsText()));
        return;
    case CheckVerdict::BadStructure:
        m_edtErTangen->setText(fromCp932(badStructureText()));
        break;
    case CheckVerdict::FailingUnit:
        m_edtErTangen->setText(line(check.failingUnitLine).mid(static_cast<qsizetype>(UnitOpening.size())));
        for (std::size_t i : check.failingLines)
            m_lstErQues->addItem(line(i));
        break;
    }
    // The cursor stays where the teacher left it.
    m_memQues->setFocus(Qt::OtherFocusReason);
}

void TfrmEditQues::btnOkClick() {
    Messages messages;
    const bool accepted = acceptEdit(m_session, m_set, messages, currentLines());
    showMessages(m_dialogs, messages);
    if (accepted) accept();
}

void TfrmEditQues::reject() {
    // Yes throws the changed text away; No returns to the editor.
    if (differsFromOpened(m_session, currentLines()) &&
        m_dialogs.ask(cp932("確認"), discardQuestion(), Buttons::YesNo) != Reply::Yes)
        return;
    QDialog::reject();
}

} // namespace tavolini
