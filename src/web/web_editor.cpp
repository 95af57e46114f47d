// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/web_editor.h"

#include "core/cp932.h"
#include "editing/editor_text.h"
#include "files/problem_set.h"
#include "web/page_script.h"

namespace tavolini::web {
namespace {

using emscripten::val;

constexpr int Cancelled = 0; // ｷｬﾝｾﾙ, the close box, Escape
constexpr int Accepted = 1;
constexpr int Compile = 2;
constexpr int Changed = 3; // the page's wake at a change

// The desktop's controls under their names; the page's style lays them out.
constexpr const char* Markup =
    "<textarea id=memQues aria-label=問題 spellcheck=false autocomplete=off wrap=off tabindex=0></textarea>"
    "<div class=results>"
    "<label for=edtTangen>単元数</label><input id=edtTangen readonly>"
    "<label for=edtResult>エラーチェックの結果</label><input id=edtResult readonly>"
    "<label for=edtErTangen>エラーの単元</label><input id=edtErTangen readonly>"
    "<span id=lblErQues>エラーの問題</span>"
    "<div id=lstErQues role=list aria-labelledby=lblErQues tabindex=0></div>"
    "<button id=btnCompile>エラーチェック</button>"
    "<button id=btnOk>OK</button>"
    "<button id=btnCancel>ｷｬﾝｾﾙ</button>"
    "</div>";

val memo() {
    return element("memQues");
}

std::string memoText() {
    return memo()["value"].as<std::string>();
}

// "0": the next change wakes the engine; "1": the page saw one since; empty:
// the change was noted, and the next check watches again.
void watchForChange() {
    memo()["dataset"].set("changed", std::string("0"));
}

void setField(const char* id, const std::string& utf8) {
    element(id).set("value", utf8);
}

void addListLine(const std::string& utf8) {
    val line = val::global("document").call<val>("createElement", std::string("div"));
    line.call<void>("setAttribute", std::string("role"), std::string("listitem"));
    line.set("textContent", utf8);
    element("lstErQues").call<void>("appendChild", line);
}

} // namespace

EditEnd WebEditor::editProblems() {
    open();
    for (;;) {
        const int reply = nextReply();
        takeChange();
        if (reply == Compile) compile();
        if (!(reply == Accepted && accept()) && !(reply == Cancelled && mayCancel())) continue;
        pageScript().call<void>("closeDialog");
        return reply == Accepted ? EditEnd::Ok : EditEnd::Cancel;
    }
}

void WebEditor::open() {
    openDialog("editor", m_dialogs.pupilText(editorCaption(m_set.problemSetPath)), "", Cancelled, {});
    element("dlgBody").set("innerHTML", std::string(Markup));
    for (const auto& [id, reply] :
         {std::pair{"btnCompile", Compile}, std::pair{"btnOk", Accepted}, std::pair{"btnCancel", Cancelled}})
        element(id).call<void>("setAttribute", std::string("data-reply"), reply);
    memo().call<void>("setAttribute", std::string("data-change-reply"), Changed);
    const std::string text = editorText(m_set.lines);
    memo().set("value", text);
    memo().call<void>("setSelectionRange", 0, 0);
    // The lines as the editor gives them back (a last empty line is not one),
    // so that a text nobody touched never counts as changed.
    std::vector<std::string> opened;
    for (EditorLine& line : editorLines(text, m_set.lines))
        opened.push_back(std::move(line.text));
    startEditing(m_session, std::move(opened));
    watchForChange();
}

std::vector<EditorLine> WebEditor::currentLines() const {
    return editorLines(memoText(), m_session.openedLines);
}

void WebEditor::takeChange() {
    if (memo()["dataset"]["changed"].as<std::string>() != "1") return;
    memo()["dataset"].set("changed", std::string());
    noteChange(m_session);
    clearResults();
}

void WebEditor::clearResults() {
    for (const char* id : {"edtTangen", "edtResult", "edtErTangen"})
        setField(id, {});
    setText("lstErQues", {});
}

void WebEditor::compile() {
    setField("edtErTangen", {});
    setText("lstErQues", {});
    const std::string text = memoText();
    const ProblemCheck check = runCheck(m_session, editorLines(text, m_session.openedLines));
    showMessages(m_dialogs, check.messages);
    showCheck(check, text);
    watchForChange();
}

void WebEditor::showCheck(const ProblemCheck& check, const std::string& text) {
    setField("edtResult", utf8FromCp932(checkResultText(check.verdict)));
    setField("edtTangen", checkUnitCountText(check));
    // The lines as the teacher wrote them, also those the code page cannot hold.
    const std::vector<std::string> lines = textLines(text);
    const auto line = [&lines](std::size_t i) { return i < lines.size() ? lines[i] : std::string(); };
    switch (check.verdict) {
    case CheckVerdict::Passed:
        setField("edtErTangen", utf8FromCp932(noErrorsText()));
        addListLine(utf8FromCp932(noErrorsText()));
        return;
    case CheckVerdict::BadStructure:
        setField("edtErTangen", utf8FromCp932(badStructureText()));
        break;
    case CheckVerdict::FailingUnit:
        setField("edtErTangen", line(check.failingUnitLine).erase(0, UnitOpening.size()));
        for (std::size_t i : check.failingLines)
            addListLine(line(i));
        break;
    }
    // The cursor stays where the teacher left it.
    memo().call<void>("focus");
}

bool WebEditor::accept() {
    Messages messages;
    const bool accepted = acceptEdit(m_session, m_set, messages, currentLines());
    showMessages(m_dialogs, messages);
    return accepted;
}

// Yes throws the changed text away; No returns to the editor.
bool WebEditor::mayCancel() {
    return !differsFromOpened(m_session, currentLines()) ||
           m_dialogs.ask(cp932("確認"), discardQuestion(), Buttons::YesNo) == Reply::Yes;
}

} // namespace tavolini::web
