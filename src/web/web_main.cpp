// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// The engine's entry points for the page's script. The pupil's actions are
// plain C functions that the script calls through ccall, so that a dialog
// can suspend them; the queries are bound with embind.
#include "core/cp932.h"
#include "core/text_file.h"
#include "editing/editor_text.h"
#include "files/practice_records.h"
#include "files/problem_set.h"
#include "practice/drill_report.h"
#include "web/class_report.h"
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

// Where the pupil is, for the page to keep and come back to: the set (by the
// name it was chosen as; empty for the shipped set), the unit, the problem
// and the steps of the problem as text.
std::string chosenSetName() {
    const std::string& path = drill().problems.problemSetPath;
    const std::string name = path.substr(path.rfind('/') + 1);
    return path == std::string(ChosenFolder) + name + "/" + name ? name : "";
}

std::string chosenSetPath(const std::string& name) {
    return window() ? window()->dialogs().chosenFilePath(name) : "";
}

int currentUnit() {
    return window() ? window()->session().currentUnit() : 0;
}

int currentProblem() {
    return window() ? window()->session().currentProblem() : 0;
}

std::string stepLog() {
    return window() ? window()->session().stepLogText() : "";
}

// The unit of the set in use titled `title`, as a completion names it; 0 for none.
int unitTitledInUse(const std::string& title) {
    return unitTitled(drill().problems, title);
}

// Leaving the page asks first while the set has edits not saved, as closing
// the window does.
bool unsavedEdits() {
    return window() && !drill().problems.problemSetSaved;
}

// Whether the set in use is the one read from the file at `path`: a set
// chosen with 開く that did not open leaves the set in use as it was, and the
// page then keeps its file handle from before.
bool setReadFrom(const std::string& path) {
    const ProblemSet& set = drill().problems;
    return set.problemSetPath == path && set.lines == splitLines(readWholeFile(path).bytes);
}

// The class server's side: the problem solved by the pupil's last action
// (null when none), and the server's ★ counts as the set's records.
emscripten::val takeCompletion() {
    std::optional<Completion> completion = window() ? window()->session().takeCompletion() : std::nullopt;
    return completion ? completionReport(*completion, drill().problems) : emscripten::val::null();
}

void useServerRecords(const emscripten::val& records) {
    useRecordCounts(records, drill().problems);
}

// The scenario driver reads the files of the practice folder.
std::string fileLines(const std::string& path) {
    return fileReport(path);
}

EMSCRIPTEN_BINDINGS(tavolini) {
    emscripten::function("stateReport", &stateReport);
    emscripten::function("tableReport", &tableReport);
    emscripten::function("problemSetPath", &problemSetPath);
    emscripten::function("recordFileOf", &recordFileOf);
    emscripten::function("chosenSetName", &chosenSetName);
    emscripten::function("chosenSetPath", &chosenSetPath);
    emscripten::function("currentUnit", &currentUnit);
    emscripten::function("currentProblem", &currentProblem);
    emscripten::function("stepLog", &stepLog);
    emscripten::function("unitTitled", &unitTitledInUse);
    emscripten::function("fileReport", &fileLines);
    emscripten::function("unsavedEdits", &unsavedEdits);
    emscripten::function("setReadFrom", &setReadFrom);
    emscripten::function("takeCompletion", &takeCompletion);
    emscripten::function("useServerRecords", &useServerRecords);
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

// The set the pupil chose earlier, its file put back at chosenSetPath: opened
// as 開く opens it. 1 when it is the set in use.
extern "C" EMSCRIPTEN_KEEPALIVE int tavolini_open_chosen(const char* path) {
    if (!window()) return 0;
    window()->session().openAtStart(path);
    return tavolini::web::drill().problems.problemSetPath == path ? 1 : 0;
}

// Back to problem `problem` of unit `unit` with the steps of `stepLog` done
// again: 1 when they were.
extern "C" EMSCRIPTEN_KEEPALIVE int tavolini_resume(int unit, int problem, const char* stepLog) {
    return window() && window()->session().resume(unit, problem, stepLog) ? 1 : 0;
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

// The window's close box: the close question, then the end of the program.
extern "C" EMSCRIPTEN_KEEPALIVE void tavolini_close() {
    if (window()) window()->closeWindow();
}

// The lines of the file at `path` as the editor shows them: the scenario
// driver types them as the teacher would, while the editor waits.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tavolini_editor_text(const char* path) {
    static std::string text;
    text = tavolini::editorText(tavolini::splitLines(tavolini::readWholeFile(path).bytes));
    return text.c_str();
}

// The time completions are dated with from now on (the scenario driver's clock).
extern "C" EMSCRIPTEN_KEEPALIVE void tavolini_set_clock(int year, int month, int day, int hour, int minute) {
    const tavolini::LocalTime time{year, month, day, hour, minute};
    tavolini::web::drill().records.clock = [time] { return time; };
}
