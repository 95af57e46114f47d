// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/platform/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tavolini {
namespace {

QRect availableFor(const QWidget& window) {
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

// The window manager's frame around the window: nothing until it has framed
// the window (and nothing where there is no window manager).
QMargins frameOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void place(QWidget& window, const QRect& wantedClient) {
    const QRect available = availableFor(window);
    if (available.isEmpty()) return;
    const QMargins frame = frameOf(window);
    const QRect client = placedClient(wantedClient, frame, available);
    window.resize(client.size());
    window.move(client.topLeft() - QPoint(frame.left(), frame.top())); // a window's position is its frame's
}

// Places the window again by its real frame, once the window manager has
// put one around it and only when the frame does not fit; then it leaves.
class FrameWatch final : public QObject {
  public:
    FrameWatch(QWidget& window, const QRect& wantedClient) : QObject(&window), m_wanted(wantedClient) {
        window.installEventFilter(this);
    }

    // One watch a window: a dialog shown again only changes what it wants.
    static void watch(QWidget& window, const QRect& wantedClient) {
        for (QObject* child : window.children()) {
            if (auto* watch = dynamic_cast<FrameWatch*>(child)) {
                watch->m_wanted = wantedClient;
                return;
            }
        }
        new FrameWatch(window, wantedClient); // owned by the window
    }

    bool eventFilter(QObject* object, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(object);
        const bool framed = event->type() == QEvent::Move || event->type() == QEvent::Show;
        if (window != nullptr && framed && window->isVisible() &&
            window->frameGeometry() != window->geometry()) {
            if (!availableFor(*window).contains(window->frameGeometry())) place(*window, m_wanted);
            // Ends at once: the moves that follow, before it is deleted too, are the user's.
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

  private:
    QRect m_wanted;
};

} // namespace

QRect fitWithin(const QRect& frame, const QRect& available) {
    QRect fitted(frame.topLeft(), frame.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

QRect placedClient(const QRect& wantedClient, const QMargins& frame, const QRect& available) {
    return fitWithin(wantedClient.marginsAdded(frame), available).marginsRemoved(frame);
}

void placeOnScreen(QWidget& window, const QRect& wantedClient) {
    place(window, wantedClient);
    if (!window.isVisible()) FrameWatch::watch(window, wantedClient);
}

void centreOnScreen(QWidget& window) {
    QRect client(QPoint(0, 0), window.size());
    client.moveCenter(availableFor(window).center());
    placeOnScreen(window, client);
}

} // namespace tavolini
