// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/virtual_keys.h"
#include "web/key_codes.h"

#include <gtest/gtest.h>

namespace tavolini::web {
namespace {

// The page's keys by their place give the codes the desktop's keys give.
TEST(WebKeyCodes, GoByThePlaceOnTheKeyboard) {
    const struct {
        const char* code;
        int key;
    } rows[] = {
        {"Digit0", '0'},
        {"Digit9", '9'},
        {"KeyA", 'A'},
        {"KeyZ", 'Z'},
        {"Numpad0", VirtualKey::KeypadZero},
        {"Numpad9", VirtualKey::KeypadNine},
        {"NumpadMultiply", VirtualKey::KeypadMultiply},
        {"NumpadEnter", VirtualKey::Enter},
        {"Enter", VirtualKey::Enter},
        {"Escape", VirtualKey::Escape},
        {"F2", VirtualKey::F2},
        {"Delete", VirtualKey::Delete},
        {"Minus", VirtualKey::Minus},
        {"Slash", VirtualKey::Slash},
        {"Quote", 0}, // * and : on a Japanese keyboard: the text tells
        {"IntlRo", 0},
        {"", 0},
        {"Digit", 0},
        {"DigitX", 0},
        {"Keya", 0},
        {"Numpad10", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(virtualKeyCode(row.code), row.key) << row.code;
}

} // namespace
} // namespace tavolini::web
