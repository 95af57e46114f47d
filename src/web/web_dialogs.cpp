// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/web_dialogs.h"

#include "core/cp932.h"
#include "core/equation_labels.h"
#include "files/practice_records.h"
#include "practice/window_layout.h"
#include "web/page_script.h"

#include <emscripten.h>
#include <filesystem>

namespace tavolini::web {
namespace {

using emscripten::val;

// What the pupil did in the open dialog: a button's reply, given to it when
// it was made. The engine sleeps until then.
EM_ASYNC_JS(int, nextDialogReply, (), { return await Module.view.nextDialogReply(); });

// Puts the chosen file at `path` among the engine's files once the records of
// the set there are read from the browser's storage.
EM_ASYNC_JS(void, placeChosenFile, (const char* path, const char* records),
            { await Module.view.placeChosenFile(UTF8ToString(path), UTF8ToString(records)); });

// Writes the saved file at `path` to the device's file the pupil chose: 1
// when it was written.
EM_ASYNC_JS(int, keepOnDevice, (const char* path),
            { return await Module.view.deliverSavedFile(UTF8ToString(path)); });

constexpr int UnitClicked = 1000;    // + the list item's index
constexpr int ProblemClicked = 2000; // + the problem's number
constexpr int Accepted = 1;
constexpr int Cancelled = 0;

const Colour MarkGreen{0, 127, 0};

// The scenario driver's pages (window.tavoliniScenario) keep the practice
// folder's files in the engine and choose among them by name.
bool inPracticeFolder() {
    return !val::global("tavoliniScenario").isUndefined();
}

std::string fileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

} // namespace

void openDialog(const char* kind, std::string_view caption, std::string_view text, int closeReply,
                const PageRect& body) {
    pageScript().call<void>("openDialog", std::string(kind), std::string(caption), std::string(text),
                            closeReply, body.width, body.height);
}

void addReplyButton(const std::string& id, std::string_view caption, const PageRect& rect, int reply) {
    addElement("dlgBody", "button", id, rect, caption)
        .call<void>("setAttribute", std::string("data-reply"), reply);
}

int nextReply() {
    return nextDialogReply();
}

int waitAndClose() {
    const int reply = nextReply();
    pageScript().call<void>("closeDialog");
    return reply;
}

int buttonHeight(bool touch, int designed) {
    return touch ? std::max(designed, TouchKey) : designed;
}

namespace {

// A message box's buttons, left to right, with the replies they give.
struct BoxButton {
    const char* id;
    const char* caption;
    Reply reply;
};

std::vector<BoxButton> boxButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
        return {{"dlgYes", "はい", Reply::Yes}, {"dlgNo", "いいえ", Reply::No}};
    case Buttons::YesNoCancel:
        return {{"dlgYes", "はい", Reply::Yes},
                {"dlgNo", "いいえ", Reply::No},
                {"dlgCancel", "キャンセル", Reply::Cancel}};
    case Buttons::AbortRetryIgnore:
        break;
    }
    return {{"dlgAbort", "中止", Reply::Abort},
            {"dlgRetry", "再試行", Reply::Retry},
            {"dlgIgnore", "無視", Reply::Ignore}};
}

Reply box(const char* kind, std::string_view caption, const std::string& utf8Text,
          const std::vector<BoxButton>& buttons, Reply closeReply, bool touch) {
    constexpr int ButtonWidth = 88, Gap = 8, Top = 6;
    const int width = static_cast<int>(buttons.size()) * (ButtonWidth + Gap) + Gap;
    const int height = buttonHeight(touch, 28);
    openDialog(kind, caption, utf8Text, static_cast<int>(closeReply), {0, 0, width, height + 2 * Top});
    int x = Gap;
    for (const BoxButton& button : buttons) {
        addReplyButton(button.id, button.caption, {x, Top, ButtonWidth, height},
                       static_cast<int>(button.reply));
        x += ButtonWidth + Gap;
    }
    return static_cast<Reply>(waitAndClose());
}

// The file name the pupil gave the page's open or save dialog, preset to
// the set's; nothing when the dialog was cancelled.
std::optional<std::string> chosenName(const char* dialog, std::string_view presetPath) {
    pageScript().call<void>(dialog, fileName(std::string(presetPath)));
    if (waitAndClose() != Accepted) return std::nullopt;
    return pageScript()["chosenName"].as<std::string>();
}

} // namespace

void WebDialogs::showMessage(std::string_view text) {
    box("message", "Tavolini", pupilText(text), {{"dlgOk", "OK", Reply::Ok}}, Reply::Ok, m_touch);
}

Reply WebDialogs::ask(std::string_view caption, std::string_view text, Buttons buttons) {
    const std::vector<BoxButton> choices = boxButtons(buttons);
    const Reply closing = buttons == Buttons::YesNoCancel ? Reply::Cancel : choices.back().reply;
    return box("question", utf8FromCp932(caption), pupilText(text), choices, closing, m_touch);
}

std::optional<std::string> WebDialogs::chooseOpenFile(std::string_view, std::string_view presetPath) {
    const std::optional<std::string> chosen = chosenName("openFileDialog", presetPath);
    if (!chosen || inPracticeFolder()) return chosen;
    const std::string& name = *chosen;
    const std::string path = chosenFilePath(name);
    placeChosenFile(path.c_str(), recordFilePathOf(path).c_str());
    return path;
}

std::optional<std::string> WebDialogs::chooseSaveFile(std::string_view, std::string_view presetPath) {
    const std::optional<std::string> chosen = chosenName("saveFileDialog", presetPath);
    if (!chosen || inPracticeFolder()) return chosen;
    const std::string& name = *chosen;
    const std::string path = chosenFilePath(name);
    std::error_code ignored; // a folder that cannot be made fails the write, which says so
    std::filesystem::create_directories(path.substr(0, path.rfind('/')), ignored);
    return path;
}

WriteFault WebDialogs::deliverSavedFile(const std::string& path) {
    if (inPracticeFolder() || keepOnDevice(path.c_str())) return WriteFault::None;
    return WriteFault::Failed;
}

std::string WebDialogs::chosenFilePath(const std::string& name) {
    const std::string path = std::string(ChosenFolder) + name + "/" + name;
    for (const std::string& own : {path, recordFilePathOf(path)})
        m_ownNames[own] = fileName(own);
    return path;
}

std::string WebDialogs::pupilText(std::string_view text) const {
    std::string utf8;
    for (;;) {
        std::size_t at = std::string_view::npos;
        const std::pair<const std::string, std::string>* found = nullptr;
        for (const auto& own : m_ownNames) {
            const std::size_t where = text.find(own.first);
            // The longest of those found first: a record file's path may begin as its set's does.
            if (where < at || (where == at && found && own.first.size() > found->first.size())) {
                at = where;
                found = &own;
            }
        }
        if (!found) return utf8 + utf8FromCp932(text);
        utf8 += utf8FromCp932(text.substr(0, at)) + found->second;
        text.remove_prefix(at + found->first.size());
    }
}

// Each choice replies with the case it names, the close box with None.
SpecialAnswer WebDialogs::showSpecialSolution() {
    const auto replyOf = [](SpecialAnswer answer) { return static_cast<int>(answer); };
    openDialog("special", "特殊な解", "", replyOf(SpecialAnswer::None), {0, 0, 140, 200});
    addElement("dlgBody", "div", "edtSentaku", {8, 20, 124, 30}, "解の種類選択");
    const int height = buttonHeight(m_touch, 33);
    addReplyButton("btnMusu", "解は無数にある", {13, 80, 113, height},
                   replyOf(SpecialAnswer::InfinitelyMany));
    addReplyButton("btnKainashi", "解なし", {13, 146, 113, height}, replyOf(SpecialAnswer::NoSolution));
    const int reply = waitAndClose();
    for (const SpecialAnswer choice : {SpecialAnswer::InfinitelyMany, SpecialAnswer::NoSolution})
        if (reply == replyOf(choice)) return choice;
    return SpecialAnswer::None;
}

bool WebDialogs::showProblemSelection() {
    openDialog("unit", "単元変更", "", Cancelled, selectionSheetLayout(m_screenWidth, m_touch).sheet);
    placeSelection(true);
    ProblemSelection rules = selectionRules();
    showSelection(rules);
    m_selectionOpen = true;
    for (;;) {
        const int reply = nextDialogReply();
        if (reply >= ProblemClicked) {
            pickProblem(rules, reply - ProblemClicked);
        } else if (reply >= UnitClicked) {
            clickUnit(rules, reply - UnitClicked);
            selectOnlyUnitItem(m_selection.dialogUnit - 1);
        } else {
            if (reply == Accepted) acceptSelection(rules);
            m_selectionOpen = false;
            pageScript().call<void>("closeDialog");
            m_previews = {};
            return reply == Accepted;
        }
    }
}

void WebDialogs::fitScreen(int screenWidth, bool touch) {
    m_screenWidth = screenWidth;
    m_touch = touch;
    if (m_selectionOpen) placeSelection(false);
}

void WebDialogs::placeSelection(bool create) {
    const SelectionSheetLayout sheet = selectionSheetLayout(m_screenWidth, m_touch);
    const auto put = [&](const char* tag, const std::string& id, const PageRect& rect, std::string_view text,
                         std::optional<int> reply) {
        if (!create) {
            placeElement(id, rect);
            return;
        }
        val made = addElement("dlgBody", tag, id, rect, text);
        if (reply) made.call<void>("setAttribute", std::string("data-reply"), *reply);
    };
    bool previewsResized = false;
    for (int p = 1; p <= SelectionSlots; ++p) {
        const std::string slot = std::to_string(p);
        const std::size_t i = static_cast<std::size_t>(p - 1);
        put("canvas", "selKakko" + slot, sheet.braces[i], {}, ProblemClicked + p);
        for (const int n : {2 * p - 1, 2 * p}) {
            const std::string id = "selImage" + std::to_string(n);
            const PageRect& rect = sheet.previews[static_cast<std::size_t>(n - 1)];
            put("canvas", id, rect, {}, ProblemClicked + p);
            std::unique_ptr<HtmlCanvas>& preview = m_previews[static_cast<std::size_t>(n - 1)];
            if (preview && preview->width() == rect.width) continue;
            preview = std::make_unique<HtmlCanvas>(id, rect.width, rect.height);
            previewsResized = true;
        }
        put("button", "selShiki" + slot, sheet.buttons[i],
            utf8FromCp932(EquationLabels()[static_cast<std::size_t>(p)]), ProblemClicked + p);
    }
    put("div", "Label1", sheet.label, "問題を選んでください", std::nullopt);
    put("div", "lstTangen", sheet.unitList, {}, std::nullopt);
    put("button", "btnOK", sheet.ok, "Ｏ　Ｋ", Accepted);
    put("button", "btnCancel", sheet.cancel, "キャンセル", Cancelled);
    if (create) return;
    placeElement("dlgBody", sheet.sheet);
    if (previewsResized) {
        ProblemSelection rules = selectionRules();
        showUnitProblems(rules);
    }
}

Canvas* WebDialogs::findPreviewImage(int n) {
    return n >= 1 && n <= PreviewImageCount ? m_previews[static_cast<std::size_t>(n - 1)].get() : nullptr;
}

void WebDialogs::setSlotVisible(int p, bool visible) {
    if (p < 1 || p > SelectionSlots) return;
    for (const std::string& id : {"selKakko" + std::to_string(p), "selShiki" + std::to_string(p),
                                  "selImage" + std::to_string(2 * p - 1), "selImage" + std::to_string(2 * p)})
        setVisible(id, visible);
}

void WebDialogs::setBraceMarked(int p, bool marked) {
    if (p < 1 || p > SelectionSlots) return;
    const PageRect rect = selectionBraceRect(p);
    HtmlCanvas("selKakko" + std::to_string(p), rect.width, rect.height)
        .drawBrace(BraceCurve, marked ? clWhite : clBlack, marked ? MarkGreen : clWhite);
}

void WebDialogs::setUnitTitles(const std::vector<std::string>& titles) {
    val list = element("lstTangen");
    list.set("textContent", std::string());
    list.call<void>("setAttribute", std::string("role"), std::string("listbox"));
    list.call<void>("setAttribute", std::string("aria-label"), std::string("単元"));
    for (std::size_t i = 0; i < titles.size(); ++i) {
        val item = val::global("document").call<val>("createElement", std::string("div"));
        item.set("id", "unitItem" + std::to_string(i + 1));
        item.set("textContent", utf8FromCp932(titles[i]));
        item.call<void>("setAttribute", std::string("role"), std::string("option"));
        item.call<void>("setAttribute", std::string("tabindex"), 0);
        item.call<void>("setAttribute", std::string("data-reply"), UnitClicked + static_cast<int>(i));
        list.call<void>("appendChild", item);
    }
}

void WebDialogs::selectOnlyUnitItem(int index) {
    val items = element("lstTangen")["children"];
    const int count = items["length"].as<int>();
    for (int i = 0; i < count; ++i) {
        items[i]["classList"].call<void>("toggle", std::string("selected"), i == index);
        items[i].call<void>("setAttribute", std::string("aria-selected"), i == index);
    }
}

} // namespace tavolini::web
