// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

namespace tavolini {

// Why an equation text could not be read. The numbers are the codes the
// user sees in error reports; each has its own message.
enum class ParseError : int {
    None = 0,
    TextTooLong = 111,        // more than 50 bytes
    TooFewTokens = 112,       // nothing but spaces
    TooManyTokens = 113,      // more than an equation record holds
    NumberAfterNumber = 114,  // a number while another is still unplaced ("2 3", "2*3")
    NotAnEquation = 115,      // no '=' ("x+y+1")
    FactorBeforeCorner = 116, // a number or '-' right before '｢', which groups nothing
    TimesWithoutNumber = 117, // '*' not right after a number ("x*y", "(x+1)*2", "*x")
    TimesWithoutFactor = 118, // '*' before a sign, '=', a closing bracket or the end ("2*=x")
    SignWithoutTerm = 119,    // '+' or '-' before '=', a closing bracket or the end ("x+=6")
    BracketMismatch = 120,    // a closing bracket of another kind than the latest open one ("2[x+1)")
    EmptyBrackets = 121,      // a bracket pair with nothing inside ("2()=x")
    ProductOfFactors = 122,   // a letter or bracket right after a letter or closing bracket ("xy", "x(y+1)")
    NumberAfterFactor = 123,  // a digit right after a letter or closing bracket ("x2", "(x+1)2")
    MultiplicationSign = 124, // '×' or '・' ("2×x")
    FullWidthCharacter = 125, // the full-width form of a character that is written half-width ("２x")
    PointWithoutDigits = 126, // a decimal point with no digit after it ("1.x")
    TwoEqualsSigns = 127,     // "x=1=2"
    EmptySide = 128,          // nothing before or after the '=' ("=1", "x=")
    BracketNotClosed = 129,   // a bracket still open at '=' or at the end ("2(x+1=4")
    BracketNotOpened = 130,   // a closing bracket with none open ("x)+(1=2")
    MinusAfterSign = 178,     // '-' right after '+' or '-'
    PlusAfterSign = 179,      // '+' right after '+' or '-'
    BadCharacter = 191,       // a character outside the accepted set
    SameLetterTwice = 860,    // "xx"
    ZeroDenominator = 998,    // "3/0", or a missing denominator "3/"
    TooManyDigits = 999,      // a run of six or more digits
    DecimalTooLong = 1111,    // integer and decimal digits together more than five
};

} // namespace tavolini
