// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "web/look_back.h"

#include "core/cp932.h"
#include "practice/record_lists.h"
#include "practice/stack_list.h"
#include "presentation/page_state.h"
#include "web/page_script.h"
#include "web/web_dialogs.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tavolini::web {
namespace {

using emscripten::val;

constexpr int Closed = 0;
constexpr int DeleteClicked = 1;
constexpr int DeleteOneClicked = 2;
constexpr int ItemClicked = 100; // + the list item's index

constexpr int Margin = 8, ButtonWidth = 96, DesignedButton = 28, PanelHeight = 36;
constexpr int WholeScreen = std::numeric_limits<int>::max();

// The dialog's window around its body: the borders, the title bar (its
// close box as high as a finger needs under a coarse pointer) and the body's
// lower margin, with a little to spare.
constexpr int FrameWidth = 2;
int frameHeight(const Viewport& viewport) {
    return (viewport.coarsePointer ? TouchKey + 4 : 24) + 12;
}

struct Button {
    const char* id = nullptr;
    const char* caption = nullptr;
    int reply = Closed;
};

// Each dialog is an instruction (if any) over a list, over a row of buttons
// at the right.
struct Shape {
    const char* kind;
    const char* caption;
    int width; // the body as designed, or as large as the screen
    int height;
    const char* panel;
    const char* list;
    const char* listName; // what a screen reader calls it
    std::array<Button, 2> buttons;
};

const Shape Records{.kind = "records",
                    .caption = "練習の記録",
                    .width = WholeScreen,
                    .height = WholeScreen,
                    .panel = nullptr,
                    .list = "lstTitle",
                    .listName = "練習の記録",
                    .buttons = {{{"btnDelete", "記録消去", DeleteClicked}, {"btnClose", "閉じる", Closed}}}};
// The desktop's windows are 420 by 320 and 320 by 520.
const Shape Deletion{
    .kind = "delete",
    .caption = "frmDelete",
    .width = 420,
    .height = 290,
    .panel = "消去する項目を選んで［消去］ボタンをクリックしてください",
    .list = "lstTitle",
    .listName = "単元",
    .buttons = {{{"btnDeleteOne", "消去", DeleteOneClicked}, {"btnClose", "閉じる", Closed}}}};
const Shape Stack{.kind = "stack",
                  .caption = "スタックの中身",
                  .width = 320,
                  .height = 490,
                  .panel = nullptr,
                  .list = "lstDump",
                  .listName = "スタックの中身",
                  .buttons = {{{"btnClose", "閉じる", Closed}}}};

// Opens the dialog (`create`), or puts its controls where the screen now wants them.
void layOut(const Shape& shape, const DialogScreen& screen, bool create) {
    const Viewport& viewport = screen.viewport;
    const PageRect body{0, 0, std::clamp(viewport.width - FrameWidth, 1, shape.width),
                        std::clamp(viewport.height - frameHeight(viewport), 1, shape.height)};
    const auto put = [create](const char* tag, const char* id, const PageRect& rect, std::string_view text) {
        if (create) return addElement("dlgBody", tag, id, rect, text);
        placeElement(id, rect);
        return val::undefined();
    };
    if (create)
        openDialog(shape.kind, shape.caption, "", Closed, body);
    else
        placeElement("dlgBody", body);
    const int height = buttonHeight(screen.touch, DesignedButton);
    const int buttonTop = body.height - Margin - height;
    const int listTop = shape.panel ? PanelHeight + Margin : Margin;
    const int width = body.width - 2 * Margin;
    if (shape.panel) put("div", "Panel1", {Margin, Margin, width, PanelHeight - Margin}, shape.panel);
    val list = put("div", shape.list, {Margin, listTop, width, buttonTop - Margin - listTop}, {});
    if (create) list.call<void>("setAttribute", std::string("aria-label"), std::string(shape.listName));
    const auto buttons = static_cast<int>(std::count_if(shape.buttons.begin(), shape.buttons.end(),
                                                        [](const Button& button) { return button.id; }));
    int left = body.width - buttons * (ButtonWidth + Margin);
    for (int i = 0; i < buttons; ++i) {
        const Button& button = shape.buttons[static_cast<std::size_t>(i)];
        val made = put("button", button.id, {left, buttonTop, ButtonWidth, height}, button.caption);
        if (create) made.call<void>("setAttribute", std::string("data-reply"), button.reply);
        left += ButtonWidth + Margin;
    }
}

// The lines of the list `id`; from `firstReply` on each line is an item that
// replies with firstReply + its index.
void fillList(const char* id, const std::vector<std::string>& lines, int firstReply) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "\n") + utf8FromCp932(lines[i]);
    pageScript().call<void>("fillList", std::string(id), text, firstReply);
}

// The deletion dialog until it closes; true when something was erased.
bool showDeletion(const ProblemSet& set, PracticeRecords& records, Dialogs& dialogs,
                  const ScreenNow& screen) {
    layOut(Deletion, screen(), true);
    Messages messages;
    RecordDeletion deletion{fillDeletionList(set, messages)};
    fillList(Deletion.list, deletion.titles, ItemClicked);
    showMessages(dialogs, messages);
    for (;;) {
        layOut(Deletion, screen(), false); // also when it comes back from under a message
        const int reply = nextReply();
        if (reply == Closed) break;
        if (reply >= ItemClicked) {
            deletion.chosen = reply - ItemClicked;
        } else {
            messages.clear();
            btnDeleteOneClick(deletion, set, records, messages);
            fillList(Deletion.list, deletion.titles, ItemClicked);
            showMessages(dialogs, messages);
        }
        pageScript().call<void>("chooseItem", std::string(Deletion.list), deletion.chosen);
    }
    pageScript().call<void>("closeDialog");
    return deletion.erased;
}

void showRecordList(const ProblemSet& set, Dialogs& dialogs) {
    Messages messages;
    fillList(Records.list, fillRecordList(set, messages), -1);
    showMessages(dialogs, messages);
}

} // namespace

void showRecords(const ProblemSet& set, PracticeRecords& records, Dialogs& dialogs, const ScreenNow& screen) {
    layOut(Records, screen(), true);
    showRecordList(set, dialogs);
    for (;;) {
        layOut(Records, screen(), false);
        if (nextReply() != DeleteClicked) break;
        if (showDeletion(set, records, dialogs, screen)) showRecordList(set, dialogs);
    }
    pageScript().call<void>("closeDialog");
}

void showStack(const Algebra& algebra, const PageState& page, const ScreenNow& screen) {
    layOut(Stack, screen(), true);
    fillList(Stack.list, stackListLines(algebra, page.equationLimit), -1);
    waitAndClose();
}

void fitLookBack(const DialogScreen& screen) {
    const val dialog = element("dialog");
    if (dialog["hidden"].as<bool>()) return;
    const std::string kind = dialog["dataset"]["kind"].as<std::string>();
    for (const Shape* shape : {&Records, &Deletion, &Stack})
        if (kind == shape->kind) layOut(*shape, screen, false);
}

} // namespace tavolini::web
