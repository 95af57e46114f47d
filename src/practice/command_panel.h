// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/algebra.h"
#include "core/dialogs.h"
#include "operations/command_state.h"
#include "practice/judge.h"
#include "practice/panel_view.h"
#include "presentation/page_state.h"
#include "presentation/page_view.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavolini {

// Typed before the digits of an equation's number, it chooses that equation
// as its button does ('E' for equation; no other key of the drill is a
// letter E, at any step).
inline constexpr char EquationNumberKey = 'E';

// The command panel: an equation, an operation and, where the operation
// takes one, a number or a second equation, entered in that order and shown
// as the page message while they are entered; 訂正 cancels a command or takes
// back the last step. Keys of the main window and the page reach the same
// rules.
class CommandPanel {
  public:
    CommandPanel(Algebra& algebra, Dialogs& dialogs, CommandState& command, Answers& answers, PageState& page,
                 PageView& pageView, PanelView& panel);

    void chooseEquation(int n);
    void chooseOperation(Operation operation);
    void resetPanel();
    // The number pad is on only while a number may follow the operation.
    // The operations group is never disabled: it is only enabled again
    // once an equation is chosen.
    void setPanelMode(ComposeStep step);

    // One key of the number pad: "0".."9", ".", "分の" (code page 932), "-" or "CL".
    void padInput(std::string_view key);
    // The － key of the pad (and '-' typed for a number): only at the start.
    void minusKey();

    // Keys typed in the main window (`swallowIdle`) or on the page (not).
    // Returns true when the key was used or swallowed.
    bool keyPress(char key, bool swallowIdle);
    // Key codes as VirtualKey names them.
    // Enter and Escape answer which button they press; the caller presses it.
    enum class KeyAction { None, Used, Execute, Correct };
    KeyAction keyDown(int keyCode, bool shift, bool swallowIdle);

    // One key press, as a window sees it: the key's code and the text it
    // typed (code page 932). The key-down rules come first; the text is
    // entered only when they did not use the key, so that one press makes
    // one entry. In the main window (`swallowIdle`) a key with no command
    // begun is used up.
    KeyAction keyStroke(int keyCode, bool shift, std::string_view text, bool swallowIdle);

    // After an execution: (0, 0), the number pad off, 実行 off, focus moved.
    void resetCommand();

    // A problem starts: no command, no operand, no operation chosen.
    void clearForNewProblem();

    // The order message: the entry does not fit the command so far.
    void showOrderMessage();

    // ヒント: the next sensible command as the page message; while a command
    // is being composed the message line is the command's, so the hint comes
    // in a message box. Nothing of the command or the table changes.
    void showHint();

  private:
    // EquationNumberKey and the digits after it. The number is chosen as soon
    // as no further digit could make the number of an equation there is;
    // until then Enter chooses it, Escape drops it, and any other key chooses
    // it and then counts as itself. True when the key was taken here.
    bool typeEquationNumber(char key);
    bool endEquationNumber(int keyCode);
    void chooseTypedEquation();

    void highlight(int n);
    // 訂正 with no command: the newest step is taken back.
    void takeBackNewest();
    void unhighlight();

    Algebra& m_algebra;
    Dialogs& m_dialogs;
    CommandState& m_command;
    Answers& m_answers;
    PageState& m_page;
    PageView& m_pageView;
    PanelView& m_panel;
    // Where the typed operand begins in the page message, so that CL takes
    // away exactly what was typed.
    std::size_t m_operandStart = std::string::npos;
    // The number typed so far after EquationNumberKey; nothing when none was typed.
    std::optional<int> m_typedEquation;
};

} // namespace tavolini
