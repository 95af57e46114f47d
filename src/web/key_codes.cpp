// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/key_codes.h"

#include "presentation/virtual_keys.h"

#include <array>
#include <utility>

namespace tavolini::web {

int virtualKeyCode(std::string_view code) {
    constexpr std::string_view Digit = "Digit", Key = "Key", Numpad = "Numpad";
    if (code.size() == Digit.size() + 1 && code.starts_with(Digit) && code.back() >= '0' &&
        code.back() <= '9')
        return code.back();
    if (code.size() == Key.size() + 1 && code.starts_with(Key) && code.back() >= 'A' && code.back() <= 'Z')
        return code.back();
    if (code.size() == Numpad.size() + 1 && code.starts_with(Numpad) && code.back() >= '0' &&
        code.back() <= '9')
        return VirtualKey::KeypadZero + (code.back() - '0');
    constexpr std::array<std::pair<std::string_view, int>, 21> Named{{
        {"Enter", VirtualKey::Enter},
        {"NumpadEnter", VirtualKey::Enter},
        {"Escape", VirtualKey::Escape},
        {"F1", VirtualKey::F1},
        {"F2", VirtualKey::F2},
        {"Delete", VirtualKey::Delete},
        {"Backspace", VirtualKey::Backspace},
        {"Tab", VirtualKey::Tab},
        {"Space", VirtualKey::Space},
        {"ArrowLeft", VirtualKey::Left},
        {"ArrowUp", VirtualKey::Up},
        {"ArrowRight", VirtualKey::Right},
        {"ArrowDown", VirtualKey::Down},
        {"NumpadMultiply", VirtualKey::KeypadMultiply},
        {"NumpadAdd", VirtualKey::KeypadAdd},
        {"NumpadSubtract", VirtualKey::KeypadSubtract},
        {"NumpadDecimal", VirtualKey::KeypadDecimal},
        {"NumpadDivide", VirtualKey::KeypadDivide},
        {"Minus", VirtualKey::Minus},
        {"Period", VirtualKey::Period},
        {"Slash", VirtualKey::Slash},
    }};
    for (const auto& [name, key] : Named)
        if (code == name) return key;
    return 0;
}

} // namespace tavolini::web
