// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "presentation/page_layout.h"

#include <emscripten/val.h>
#include <string>
#include <string_view>

namespace tavolini::web {

// The page's script (Module.view in site/page.js): what the engine asks of
// the document. Texts handed over are UTF-8.
emscripten::val pageScript();

// A new element `tag` named `id` inside `parent`, at `rect` on it.
emscripten::val addElement(const char* parent, const char* tag, const std::string& id, const PageRect& rect,
                           std::string_view text = {});
emscripten::val element(const std::string& id);
// Moves the element `id` to `rect` on its parent.
void placeElement(const std::string& id, const PageRect& rect);

void setText(const std::string& id, std::string_view text);
// A control that is off is greyed out, a box as well as a button.
void setEnabled(const std::string& id, bool enabled);
void setVisible(const std::string& id, bool visible);

} // namespace tavolini::web
