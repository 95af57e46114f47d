// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

namespace tavolini {

// Why an equation text could not be read. The numbers are the codes the
// user sees in error reports.
enum class ParseError : int {
    None = 0,
    TextTooLong = 111,        // more than 50 bytes
    TooFewTokens = 112,       // fewer than 3 tokens
    TooManyTokens = 113,      // more than an equation record holds
    NumberAfterNumber = 114,  // a number while another is still unplaced ("2 3", "2*3")
    NotAnEquation = 115,      // not one '=' between two sides, or a bracket left open
    FactorBeforeCorner = 116, // a number or '-' right before '｢', which groups nothing
    TimesWithoutNumber = 117, // '*' not right after a number ("x*y", "(x+1)*2", "*x")
    TimesWithoutFactor = 118, // '*' before a sign, '=', a closing bracket or the end ("2*=x")
    SignWithoutTerm = 119,    // '+' or '-' before '=', a closing bracket or the end ("x+=6")
    BracketMismatch = 120,    // a closing bracket of another kind than the latest open one ("2[x+1)")
    EmptyBrackets = 121,      // a bracket pair with nothing inside ("2()=x")
    MinusAfterSign = 178,     // '-' right after '+' or '-'
    PlusAfterSign = 179,      // '+' right after '+' or '-'
    BadCharacter = 191,       // a character outside the accepted set
    SameLetterTwice = 860,    // "xx"
    ZeroDenominator = 998,    // "3/0", or a missing denominator "3/"
    TooManyDigits = 999,      // a run of six or more digits
    DecimalTooLong = 1111,    // integer and decimal digits together more than five
};

} // namespace tavolini
