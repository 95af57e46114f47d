// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <string_view>

namespace tavolini {

// What the practice flow asks of the main window beyond the panel and the page.
class PracticeView {
  public:
    virtual ~PracticeView() = default;

    // The next-problem button blinks from a solved problem until another starts.
    virtual void startBlink() = 0;
    virtual void stopBlink() = 0;

    // The page window's caption (code page 932).
    virtual void setPageCaption(std::string_view caption) = 0;

    // The page moves down by a quarter of its height.
    virtual void scrollQuarterPage() = 0;
};

} // namespace tavolini
