// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/program/open_display.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {
namespace {

// A message handler is a plain function: what it needs while the
// application is made lives here, and only then.
struct Opening {
    std::string what;                // "platform xcb, display :99"
    std::vector<QString> qtMessages; // Qt's own, said on the way
};
Opening* opening = nullptr;

// The value after Qt's option `name` (-platform, -display; Qt takes them
// with one dash or two), or nothing.
const char* optionValue(int argc, char** argv, std::string_view name) {
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view word = argv[i];
        if (word.starts_with("--")) word.remove_prefix(1);
        if (word.starts_with('-') && word.substr(1) == name) return argv[i + 1];
    }
    return nullptr;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The platform as Qt will look for it (a list such as "nosuch;offscreen" is
// tried in turn) and the display it will use.
std::string whatIsOpened(int argc, char** argv) {
    const char* named = optionValue(argc, argv, "platform");
    std::string platform = named != nullptr ? named : environment("QT_QPA_PLATFORM");
    if (platform.empty()) platform = "xcb"; // Qt's own choice on a Linux desktop
    std::string what = "platform " + platform;
    if (platform.find("xcb") != std::string::npos) {
        const char* display = optionValue(argc, argv, "display");
        const std::string name = display != nullptr ? display : environment("DISPLAY");
        what += name.empty() ? ", DISPLAY not set" : ", display " + name;
    } else if (platform.find("wayland") != std::string::npos) {
        const std::string name = environment("WAYLAND_DISPLAY");
        what += ", display " + (name.empty() ? std::string("wayland-0") : name);
    }
    return what;
}

void say(const std::vector<QString>& messages) {
    for (const QString& message : messages)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Qt's messages wait until the application is made, so that a failure is
// said first; Qt's fatal one is its failure to start a platform plugin.
void whileOpening(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        opening->qtMessages.push_back(qFormatLogMessage(type, context, text));
        return;
    }
    std::fprintf(stderr, "tavolini: cannot open the display (%s)\n", opening->what.c_str());
    std::fputs("Try 'xvfb-run tavolini' where there is no screen.\n", stderr);
    say(opening->qtMessages);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> openDisplay(int& argc, char** argv) {
    Opening watch{whatIsOpened(argc, argv), {}};
    opening = &watch;
    const QtMessageHandler previous = qInstallMessageHandler(whileOpening);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    opening = nullptr;
    say(watch.qtMessages);
    return application;
}

} // namespace tavolini
