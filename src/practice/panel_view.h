// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string_view>

namespace tavolini {

// The main window's panel as the drill's rules see it: which controls are
// enabled, what the operand display shows, where the keyboard focus goes.
class PanelView {
  public:
    virtual ~PanelView() = default;

    virtual void enableEquationButton(int n, bool enabled) = 0; // ① to ⑱; others are ignored
    virtual void hideEquationButton(int n) = 0;
    virtual void enableExecute(bool enabled) = 0;
    virtual bool executeEnabled() const = 0;
    virtual void enableNext(bool enabled) = 0;
    virtual bool nextEnabled() const = 0;
    virtual void enableNumberPad(bool enabled) = 0;
    virtual void showOperand(std::string_view text) = 0; // the operand display pnlNumber

    // The focus goes to 実行 if it is enabled, else to 次の問題 if that is.
    virtual void moveFocus() = 0;
};

} // namespace tavolini
