// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/dialogs.h"
#include "practice/drill_dialogs.h"
#include "presentation/problem_selection.h"
#include "web/html_canvas.h"

#include <map>
#include <memory>
#include <string>

namespace tavolini::web {

// The folder of the files the pupil chooses, each in a folder of its own name.
inline constexpr std::string_view ChosenFolder = "/sets/";

// A dialog in the document, opened over the one open (which comes back when
// it closes); the engine waits (the call from the page is suspended) for each
// reply, which its buttons and items were given when they were made.
void openDialog(const char* kind, std::string_view caption, std::string_view text, int closeReply,
                const PageRect& body);
void addReplyButton(const std::string& id, std::string_view caption, const PageRect& rect, int reply);
int nextReply();
int waitAndClose();
// Buttons as high as a finger needs on a touch screen.
int buttonHeight(bool touch, int designed);

// The message boxes and the drill's dialogs in the document. Each is modal:
// the engine waits (the call from the page is suspended) until the pupil
// answers, as it waits for a message box on the desktop.
class WebDialogs final : public Dialogs, public DrillDialogs, private SelectionView {
  public:
    WebDialogs(ProblemSet& set, Algebra& algebra, LayoutState& layout)
        : m_set(set), m_algebra(algebra), m_layout(layout) {}

    void showMessage(std::string_view text) override;
    Reply ask(std::string_view caption, std::string_view text, Buttons buttons) override;
    // A set is opened from a file the pupil chooses and saved to one of the
    // device's files. The file lies in a folder of its own name among the
    // engine's files, so that it never lies where another set keeps its
    // records. The scenario driver's pages name the practice folder's files
    // instead, as the desktop's dialogs do.
    std::optional<std::string> chooseOpenFile(std::string_view filter, std::string_view presetPath) override;
    std::optional<std::string> chooseSaveFile(std::string_view filter, std::string_view presetPath) override;
    WriteFault deliverSavedFile(const std::string& path) override;
    // Where the file the pupil chose as `name` lies; messages name it `name`.
    std::string chosenFilePath(const std::string& name);

    // A message of the engine in UTF-8, with the files the pupil chose named
    // as the pupil knows them instead of where they lie among the engine's files.
    std::string pupilText(std::string_view text) const;

    SpecialAnswer showSpecialSolution() override;
    bool showProblemSelection() override;

    // Dialogs fitted to a screen `screenWidth` wide, with keys for a finger
    // on a touch screen; an open selection dialog is fitted again at once.
    void fitScreen(int screenWidth, bool touch);

  private:
    // Makes the selection dialog's controls, or puts them where the screen
    // now wants them (its previews drawn again when their size changed).
    void placeSelection(bool create);
    ProblemSelection selectionRules() { return {m_set, m_algebra, m_layout, m_selection, *this}; }
    Canvas* findPreviewImage(int n) override;
    void setSlotVisible(int p, bool visible) override;
    void setBraceMarked(int p, bool marked) override;
    void setUnitTitles(const std::vector<std::string>& titles) override;
    void selectOnlyUnitItem(int index) override;
    void focusUnitList() override {}

    ProblemSet& m_set;
    Algebra& m_algebra;
    LayoutState& m_layout;
    SelectionState m_selection;
    int m_screenWidth = 1024;
    bool m_touch = false;
    bool m_selectionOpen = false;
    std::array<std::unique_ptr<HtmlCanvas>, PreviewImageCount> m_previews;
    // Paths of chosen sets and of their record files, with their own names (UTF-8).
    std::map<std::string, std::string> m_ownNames;
};

} // namespace tavolini::web
