// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// The engine's entry points for the page's script. The pupil's actions are
// plain C functions that the script calls through ccall, so that a dialog
// can suspend them; the queries are bound with embind.
#include "core/cp932.h"
#include "files/practice_records.h"
#include "practice/drill_report.h"
#include "web/key_codes.h"
#include "web/web_window.h"

#include <emscripten.h>
#include <emscripten/bind.h>

namespace tavolini::web {
namespace {

DrillData& drill() {
    static DrillData state;
    return state;
}

std::unique_ptr<WebWindow>& window() {
    static std::unique_ptr<WebWindow> made;
    return made;
}

std::string stateReport() {
    return window() ? drillStateReport(drill().algebra, drill().answers, window()->page().pageMessage()) : "";
}

std::string tableReport() {
    return equationTableReport(drill().algebra);
}

// The page keeps the record files in the browser's storage and asks the
// engine which file belongs to which set.
std::string problemSetPath() {
    return drill().problems.problemSetPath;
}

std::string recordFileOf(const std::string& problemSetPath) {
    return recordFilePathOf(problemSetPath);
}

EMSCRIPTEN_BINDINGS(tavolini) {
    emscripten::function("stateReport", &stateReport);
    emscripten::function("tableReport", &tableReport);
    emscripten::function("problemSetPath", &problemSetPath);
    emscripten::function("recordFileOf", &recordFileOf);
}

} // namespace
} // namespace tavolini::web

using tavolini::web::window;

// Makes the window for a screen `screenWidth` wide and starts the set at
// `path`: 1 when the pupil can go on, 0 when the program has ended.
extern "C" EMSCRIPTEN_KEEPALIVE int tavolini_start(const char* path, int screenWidth) {
    window() = std::make_unique<tavolini::web::WebWindow>(tavolini::web::drill(), screenWidth);
    return window()->session().start(path) ? 1 : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE void tavolini_click(const char* name) {
    if (window()) window()->session().click(name);
}

extern "C" EMSCRIPTEN_KEEPALIVE void tavolini_menu(const char* name) {
    if (window()) window()->session().menu(name);
}

// A key by its place and the text it typed: 1 when the drill used it.
extern "C" EMSCRIPTEN_KEEPALIVE int tavolini_key(const char* code, const char* text, int shift) {
    using namespace tavolini;
    return window() && window()->session().key(web::virtualKeyCode(code), shift != 0, cp932(text),
                                               KeyPlace::Window)
               ? 1
               : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE void tavolini_row_hover(int n) {
    if (window()) window()->page().rowHovered(n);
}

extern "C" EMSCRIPTEN_KEEPALIVE void tavolini_rows_left() {
    if (window()) window()->page().hoverOffRows();
}

extern "C" EMSCRIPTEN_KEEPALIVE void tavolini_row_click(int n, int rightButton) {
    if (window()) window()->page().rowReleased(n, rightButton != 0);
}

// The window laid out for the screen as the page reports it now. It calls
// no rule of the drill, so the page may call it while a dialog waits.
extern "C" EMSCRIPTEN_KEEPALIVE void tavolini_relayout(int width, int height, int coarsePointer) {
    if (window()) window()->relayout({width, height, coarsePointer != 0});
}
