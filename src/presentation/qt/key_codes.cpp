// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/qt/key_codes.h"

#include <QKeyEvent>

namespace tavolini {
namespace {

// The keycodes X11 and Wayland report for the digit row, "1" to "9" then
// "0", on every layout.
constexpr quint32 DigitRowOne = 10;
constexpr quint32 DigitRowZero = 19;

int digitRowKey(quint32 scanCode) {
    if (scanCode < DigitRowOne || scanCode > DigitRowZero) return 0;
    return scanCode == DigitRowZero ? '0' : '1' + static_cast<int>(scanCode - DigitRowOne);
}

} // namespace

int virtualKeyCode(const QKeyEvent& event) {
    const int qtKey = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (!keypad) {
        if (const int digit = digitRowKey(event.nativeScanCode())) return digit;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return keypad ? 96 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Asterisk:
        return keypad ? 106 : 0;
    case Qt::Key_Plus:
        return keypad ? 107 : 0;
    case Qt::Key_Minus:
        return keypad ? 109 : 189;
    case Qt::Key_Period:
        return keypad ? 110 : 190;
    case Qt::Key_Slash:
        return keypad ? 111 : 191;
    default:
        return 0;
    }
}

} // namespace tavolini
