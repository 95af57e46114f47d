// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "core/cp932.h"
#include "core/messages.h"
#include "core/text_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavolini {

// The buttons of a question box.
enum class Buttons { YesNo, YesNoCancel, AbortRetryIgnore };

// What the user pressed.
enum class Reply { Ok, Yes, No, Cancel, Abort, Retry, Ignore };

// Every message box, question and file dialog of the program goes through
// this interface, so that the rules below the windows can be tested with a
// scripted stand-in. All texts are code page 932 bytes.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A modal box with the text, the application's title as caption and OK.
    virtual void showMessage(std::string_view text) = 0;

    // A modal question box with its own caption and buttons.
    virtual Reply ask(std::string_view caption, std::string_view text, Buttons buttons) = 0;

    // The open and save dialogs. `filter` is "description|pattern"; the
    // result is the chosen path, or nothing when the dialog is cancelled.
    virtual std::optional<std::string> chooseOpenFile(std::string_view filter,
                                                      std::string_view presetPath) = 0;
    virtual std::optional<std::string> chooseSaveFile(std::string_view filter,
                                                      std::string_view presetPath) = 0;

    // After a save wrote the file at `path`: a front end whose files are not
    // the user's own hands it on to the user's file. Why that failed, or None.
    virtual WriteFault deliverSavedFile(const std::string& /*path*/) { return WriteFault::None; }
};

// Shows what an engine call reported, in its order: the abort/retry/ignore
// box is asked under 確認 and its answer is not read.
inline void showMessages(Dialogs& dialogs, const Messages& messages) {
    for (const Message& message : messages) {
        if (message.box == MessageBox::AbortRetryIgnore)
            dialogs.ask(cp932("確認"), message.text, Buttons::AbortRetryIgnore);
        else
            dialogs.showMessage(message.text);
    }
}

} // namespace tavolini
