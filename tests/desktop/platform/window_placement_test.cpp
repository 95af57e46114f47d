// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>

namespace tavolini {
namespace {

// A frame is moved onto the available part of the screen, and shrunk only
// where it cannot fit: its title bar never sits above the screen.
TEST(WindowPlacement, KeepsTheWholeFrameOnTheAvailableScreen) {
    const QRect screen(0, 0, 1024, 768);
    const QRect belowTopPanel(0, 24, 1024, 744);
    const QMargins frame(4, 30, 4, 4);
    const struct {
        const char* name;
        QRect wantedClient;
        QRect available;
        QRect client;
    } rows[] = {
        {"the design's whole screen", {0, 0, 1024, 740}, screen, {4, 30, 1016, 734}},
        {"below a top panel", {0, 0, 1024, 740}, belowTopPanel, {4, 54, 1016, 710}},
        {"small enough, left where it is", {100, 100, 400, 300}, screen, {100, 100, 400, 300}},
        {"past the right edge", {900, 100, 400, 300}, screen, {620, 100, 400, 300}},
        {"above the top", {300, -50, 400, 300}, screen, {300, 30, 400, 300}},
        {"past the bottom", {300, 600, 400, 300}, screen, {300, 464, 400, 300}},
        {"larger than a small screen", {0, 0, 790, 510}, {0, 0, 640, 480}, {4, 30, 632, 446}},
    };
    for (const auto& row : rows) {
        const QRect client = placedClient(row.wantedClient, frame, row.available);
        EXPECT_EQ(client, row.client) << row.name;
        EXPECT_TRUE(row.available.contains(client.marginsAdded(frame))) << row.name;
    }
}

// A window is placed within the screen as it is shown, once: where the user
// then moves it, partly off the screen too, it stays.
TEST(WindowPlacement, PlacesAShownWindowOnceAndThenLeavesIt) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        QPoint wanted;
        std::optional<QPoint> movedTo; // by the user, once the window is shown
    } rows[] = {
        {"wanted past the right edge", {available.right() - 100, 100}, std::nullopt},
        {"moved partly off the screen", {100, 100}, QPoint(-150, available.bottom() - 100)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget window;
        placeOnScreen(window, QRect(row.wanted, QSize(400, 300)));
        window.show();
        QCoreApplication::processEvents();
        ASSERT_NE(window.frameGeometry(), window.geometry()); // framed
        if (row.movedTo) window.move(*row.movedTo);
        QCoreApplication::processEvents();
        EXPECT_EQ(available.contains(window.frameGeometry()), !row.movedTo);
        if (row.movedTo) {
            EXPECT_EQ(window.frameGeometry().top(), row.movedTo->y());
        }
    }
}

} // namespace
} // namespace tavolini
