// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/platform/key_codes.h"

#include "presentation/virtual_keys.h"

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
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? VirtualKey::KeypadZero + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VirtualKey::Enter;
    case Qt::Key_Escape:
        return VirtualKey::Escape;
    case Qt::Key_F1:
        return VirtualKey::F1;
    case Qt::Key_F2:
        return VirtualKey::F2;
    case Qt::Key_Delete:
        return VirtualKey::Delete;
    case Qt::Key_Backspace:
        return VirtualKey::Backspace;
    case Qt::Key_Tab:
        return VirtualKey::Tab;
    case Qt::Key_Space:
        return VirtualKey::Space;
    case Qt::Key_Left:
        return VirtualKey::Left;
    case Qt::Key_Up:
        return VirtualKey::Up;
    case Qt::Key_Right:
        return VirtualKey::Right;
    case Qt::Key_Down:
        return VirtualKey::Down;
    case Qt::Key_Asterisk:
        return keypad ? VirtualKey::KeypadMultiply : 0;
    case Qt::Key_Plus:
        return keypad ? VirtualKey::KeypadAdd : 0;
    case Qt::Key_Minus:
        return keypad ? VirtualKey::KeypadSubtract : VirtualKey::Minus;
    case Qt::Key_Period:
        return keypad ? VirtualKey::KeypadDecimal : VirtualKey::Period;
    case Qt::Key_Slash:
        return keypad ? VirtualKey::KeypadDivide : VirtualKey::Slash;
    default:
        return 0;
    }
}

} // namespace tavolini
