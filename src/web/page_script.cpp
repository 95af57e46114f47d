// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/page_script.h"

#include <utility>

namespace tavolini::web {

using emscripten::val;

val pageScript() {
    return val::module_property("view");
}

val addElement(const char* parent, const char* tag, const std::string& id, const PageRect& rect,
               std::string_view text) {
    return pageScript().call<val>("add", std::string(parent), std::string(tag), id, rect.left, rect.top,
                                  rect.width, rect.height, std::string(text));
}

val element(const std::string& id) {
    return val::global("document").call<val>("getElementById", id);
}

void placeElement(const std::string& id, const PageRect& rect) {
    val style = element(id)["style"];
    for (const auto& [property, length] : {std::pair{"left", rect.left}, std::pair{"top", rect.top},
                                           std::pair{"width", rect.width}, std::pair{"height", rect.height}})
        style.set(property, std::to_string(length) + "px");
}

void setText(const std::string& id, std::string_view text) {
    element(id).set("textContent", std::string(text));
}

void setEnabled(const std::string& id, bool enabled) {
    pageScript().call<void>("setEnabled", id, enabled);
}

void setVisible(const std::string& id, bool visible) {
    element(id)["style"].set("display", std::string(visible ? "" : "none"));
}

} // namespace tavolini::web
