// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

namespace tavolini {

// The keyboard's codes for keys, as the command panel knows them: the digit
// row and the letters are their own characters ('0'..'9', 'A'..'Z').
namespace VirtualKey {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
inline constexpr int F1 = 112;        // help contents
inline constexpr int F2 = 113;        // hint
inline constexpr int KeypadZero = 96; // to 105, the keypad's nine
inline constexpr int KeypadNine = 105;
inline constexpr int KeypadMultiply = 106;
inline constexpr int KeypadAdd = 107;
inline constexpr int KeypadSubtract = 109;
inline constexpr int KeypadDecimal = 110;
inline constexpr int KeypadDivide = 111;
inline constexpr int Minus = 189;
inline constexpr int Period = 190;
inline constexpr int Slash = 191;
} // namespace VirtualKey

} // namespace tavolini
