// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace tavolini {

// A window made the first time it is wanted, then kept: the program starts
// faster without the windows nobody has opened yet.
template <typename Window> class Deferred {
  public:
    explicit Deferred(std::function<std::unique_ptr<Window>()> make) : m_make(std::move(make)) {}

    Window& operator*() {
        if (!m_window) m_window = m_make();
        return *m_window;
    }
    Window* operator->() { return &**this; }
    bool made() const { return m_window != nullptr; }

  private:
    std::function<std::unique_ptr<Window>()> m_make;
    std::unique_ptr<Window> m_window;
};

} // namespace tavolini
