// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/canvas.h"

#include <string>
#include <string_view>

namespace tavolini {

// The page window as the drill's rules see it. Texts are code page 932.
class PageView {
  public:
    virtual ~PageView() = default;

    // Whether equation n has a row image (1 to 24 or 32, and 33 and 34).
    virtual bool hasRowImage(int n) const = 0;

    // Draws table slot n into its row image in the colour, with its label.
    virtual void showEquation(int n, Colour colour) = 0;

    // The same for a step, with its step sentence above it in black.
    virtual void showStep(int n, Colour colour) = 0;

    // The row image of n gets a fresh white picture.
    virtual void blankRow(int n) = 0;

    virtual void writeRowText(int n, int r, std::string_view text, Colour colour) = 0;
    virtual void toggleRowOutline(int n) = 0;
    virtual void markRow(int n) = 0;

    virtual void placeAnswerBox(int n) = 0;
    virtual void hideAnswerBox() = 0;
    virtual void showAnswerBrace() = 0;

    virtual void scrollDown() = 0;
    virtual void scrollToTop() = 0;
    // Down by a quarter of the page's height.
    virtual void scrollQuarterPage() = 0;

    // The one message line, also printed on the row of the next equation.
    virtual void setPageMessage(std::string_view text) = 0;
    virtual void appendPageMessage(std::string_view text) = 0;
    virtual const std::string& pageMessage() const = 0;
};

} // namespace tavolini
