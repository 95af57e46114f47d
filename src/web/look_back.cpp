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
#include <tuple>

namespace tavolini::web {
namespace {

constexpr int Closed = 0;
constexpr int DeleteClicked = 1;
constexpr int DeleteOneClicked = 2;
constexpr int ItemClicked = 100; // + the list item's index

// The dialog's window around its body: the borders, the title bar (its
// close box as high as a finger needs under a coarse pointer) and the body's
// lower margin, with a little to spare.
constexpr int FrameWidth = 2;

int frameHeight(const Viewport& viewport) {
    return (viewport.coarsePointer ? TouchKey + 4 : 24) + 12;
}
constexpr int Margin = 8, ButtonWidth = 96, DesignedButton = 28;
constexpr PageRect DeletionSize{0, 0, 420, 290}; // the desktop's 420 by 320 window
constexpr PageRect StackSize{0, 0, 320, 490};    // and its 320 by 520
constexpr int PanelHeight = 36;

// A body as designed, or as large as the screen lets it be.
PageRect fitted(const PageRect& designed, const Viewport& viewport) {
    return {0, 0, std::clamp(viewport.width - FrameWidth, 1, designed.width),
            std::clamp(viewport.height - frameHeight(viewport), 1, designed.height)};
}

// The list `id` from `top` down to the buttons' row, which starts at the
// returned height; a screen reader calls it `spokenName`.
int addList(const std::string& id, const char* spokenName, const PageRect& body, int top, int buttonHeight) {
    const int buttonTop = body.height - Margin - buttonHeight;
    addElement("dlgBody", "div", id, {Margin, top, body.width - 2 * Margin, buttonTop - Margin - top})
        .call<void>("setAttribute", std::string("aria-label"), std::string(spokenName));
    return buttonTop;
}

// The lines of the list `id`; from `firstReply` on each line is an item that
// replies with firstReply + its index.
void fillList(const std::string& id, const std::vector<std::string>& lines, int firstReply) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + utf8FromCp932(line);
    pageScript().call<void>("fillList", id, text, firstReply);
}

// Buttons at the right of the row at `top`, the last at the right edge.
void addButtonsRight(const PageRect& body, int top, int height,
                     std::initializer_list<std::tuple<const char*, const char*, int>> buttons) {
    int left = body.width - Margin - static_cast<int>(buttons.size()) * (ButtonWidth + Margin) + Margin;
    for (const auto& [id, caption, reply] : buttons) {
        addReplyButton(id, caption, {left, top, ButtonWidth, height}, reply);
        left += ButtonWidth + Margin;
    }
}

// The deletion dialog until it closes; true when something was erased.
bool showDeletion(const ProblemSet& set, PracticeRecords& records, Dialogs& dialogs,
                  const DialogScreen& screen) {
    const PageRect body = fitted(DeletionSize, screen.viewport);
    const int height = buttonHeight(screen.touch, DesignedButton);
    openDialog("delete", "frmDelete", "", Closed, body);
    addElement("dlgBody", "div", "Panel1", {Margin, Margin, body.width - 2 * Margin, PanelHeight - Margin},
               "消去する項目を選んで［消去］ボタンをクリックしてください");
    const int buttonTop = addList("lstTitle", "単元", body, PanelHeight + Margin, height);
    addButtonsRight(body, buttonTop, height,
                    {{"btnDeleteOne", "消去", DeleteOneClicked}, {"btnClose", "閉じる", Closed}});
    Messages messages;
    RecordDeletion deletion{fillDeletionList(set, messages)};
    fillList("lstTitle", deletion.titles, ItemClicked);
    showMessages(dialogs, messages);
    for (;;) {
        const int reply = nextReply();
        if (reply == Closed) break;
        if (reply >= ItemClicked) {
            deletion.chosen = reply - ItemClicked;
        } else {
            messages.clear();
            btnDeleteOneClick(deletion, set, records, messages);
            fillList("lstTitle", deletion.titles, ItemClicked);
            showMessages(dialogs, messages);
        }
        pageScript().call<void>("chooseItem", std::string("lstTitle"), deletion.chosen);
    }
    pageScript().call<void>("closeDialog");
    return deletion.erased;
}

void showRecordList(const ProblemSet& set, Dialogs& dialogs) {
    Messages messages;
    fillList("lstTitle", fillRecordList(set, messages), -1);
    showMessages(dialogs, messages);
}

} // namespace

void showRecords(const ProblemSet& set, PracticeRecords& records, Dialogs& dialogs,
                 const DialogScreen& screen) {
    const Viewport& viewport = screen.viewport;
    const PageRect body{0, 0, std::max(viewport.width - FrameWidth, 1),
                        std::max(viewport.height - frameHeight(viewport), 1)};
    const int height = buttonHeight(screen.touch, DesignedButton);
    openDialog("records", "練習の記録", "", Closed, body);
    const int buttonTop = addList("lstTitle", "練習の記録", body, Margin, height);
    addButtonsRight(body, buttonTop, height,
                    {{"btnDelete", "記録消去", DeleteClicked}, {"btnClose", "閉じる", Closed}});
    showRecordList(set, dialogs);
    while (nextReply() == DeleteClicked)
        if (showDeletion(set, records, dialogs, screen)) showRecordList(set, dialogs);
    pageScript().call<void>("closeDialog");
}

void showStack(const Algebra& algebra, const PageState& page, const DialogScreen& screen) {
    const PageRect body = fitted(StackSize, screen.viewport);
    const int height = buttonHeight(screen.touch, DesignedButton);
    openDialog("stack", "スタックの中身", "", Closed, body);
    const int buttonTop = addList("lstDump", "スタックの中身", body, Margin, height);
    addReplyButton("btnClose", "閉じる", {Margin, buttonTop, body.width - 2 * Margin, height}, Closed);
    fillList("lstDump", stackListLines(algebra, page.equationLimit), -1);
    waitAndClose();
}

} // namespace tavolini::web
