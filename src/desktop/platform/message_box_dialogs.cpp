// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/platform/message_box_dialogs.h"

#include "desktop/platform/text_codec.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <utility>

namespace tavolini {
namespace {

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

Reply replyFor(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return Reply::Yes;
    case QMessageBox::No:
        return Reply::No;
    case QMessageBox::Cancel:
        return Reply::Cancel;
    case QMessageBox::Abort:
        return Reply::Abort;
    case QMessageBox::Retry:
        return Reply::Retry;
    case QMessageBox::Ignore:
        return Reply::Ignore;
    default:
        return Reply::Ok;
    }
}

QString pathName(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::optional<std::string> chosenPath(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

// What a window manager's title bar takes beside the caption: the window's
// icon and its buttons. Qt allows 50 pixels, and the caption was cut ("Or…ni").
constexpr int TitleBarButtonsWidth = 120;

int captionWidth(const QString& caption) {
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    // Title bars mostly draw their caption bold.
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(caption) + TitleBarButtonsWidth;
}

// A box at least as wide as its title bar needs. QMessageBox fixes its own
// size when shown, from its layout's minimum, so the width goes in as a spacer
// under everything else.
int execWithWholeCaption(QMessageBox& box) {
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(
            new QSpacerItem(captionWidth(box.windowTitle()), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box.exec();
}

} // namespace

MessageBoxDialogs::MessageBoxDialogs(QString applicationTitle, QWidget* parent)
    : m_title(std::move(applicationTitle)), m_parent(parent) {}

void MessageBoxDialogs::showMessage(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, m_title, fromCp932(text), QMessageBox::Ok, m_parent);
    execWithWholeCaption(box);
}

Reply MessageBoxDialogs::ask(std::string_view caption, std::string_view text, Buttons buttons) {
    QMessageBox box(QMessageBox::Question, fromCp932(caption), fromCp932(text), standardButtons(buttons),
                    m_parent);
    return replyFor(execWithWholeCaption(box));
}

std::optional<std::string> MessageBoxDialogs::chooseOpenFile(std::string_view filter,
                                                             std::string_view presetPath) {
    return chosenPath(
        QFileDialog::getOpenFileName(m_parent, QString(), pathName(presetPath), qtFileFilter(filter)));
}

std::optional<std::string> MessageBoxDialogs::chooseSaveFile(std::string_view filter,
                                                             std::string_view presetPath) {
    return chosenPath(
        QFileDialog::getSaveFileName(m_parent, QString(), pathName(presetPath), qtFileFilter(filter)));
}

QString qtFileFilter(std::string_view filter) {
    const QString text = fromCp932(filter);
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0) return text;
    const QString pattern = text.mid(bar + 1);
    QString patterns = pattern;
    if (pattern.toLower() != pattern) patterns += u' ' + pattern.toLower();
    return QStringLiteral("%1 (%2)").arg(text.left(bar), patterns);
}

} // namespace tavolini
