// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "practice/panel_layout.h"
#include "presentation/page_state.h"

#include <cstddef>

namespace tavolini {

// The screen a window is laid out for, as its front end reports it.
struct Viewport {
    int width = 1024;
    int height = 768;
    bool coarsePointer = false; // a finger rather than a mouse
};

enum class PanelPlace { Left, Below };

// How the drill's window stands on a screen. A mouse screen at least
// PhoneWidth wide has the panel and the page as designed. A touch screen or
// a phone has a panel of keys large enough for a finger, on a grid, beside
// the page in landscape and below it in portrait or on a phone, and the
// page's rows fitted to the room left.
struct WindowLayout {
    int screenWidth = 1024;
    bool designed = true;
    PanelPlace panelPlace = PanelPlace::Left;
    int gridColumns = 0; // of touch keys
    int keyPitch = 0;    // from one touch key to the next across
    int panelWidth = PanelWidth;
    int panelHeight = PanelHeight;
    int pageWidth = 0; // the page's view
    int pageHeight = 0;
};

inline constexpr int PhoneWidth = 600;
inline constexpr int MenuBarHeight = 23;      // with its rule
inline constexpr int TouchMenuBarHeight = 45; // its entries as high as a finger needs
inline constexpr int PageCaptionHeight = 20;  // above the page
inline constexpr int TouchKey = 44;           // the least size of a control for a finger
inline constexpr int TouchPitch = TouchKey + 4;

WindowLayout windowLayout(const Viewport& viewport);

// The page's rows for the layout: as designed, or fitted.
void layOutPage(PageState& page, const WindowLayout& window);

// The panel's controls in the layout; the design's rectangles where it is
// designed. Inside boxes, places are on the box, as in the design.
PageRect equationButtonRect(const WindowLayout& window, int n);
PageRect operationGroupRect(const WindowLayout& window);
PageRect operationRect(const WindowLayout& window, std::size_t place); // the place in OperationPlaces
PageRect panelButtonRect(const WindowLayout& window, const PanelButton& button);
PageRect numberPadRect(const WindowLayout& window);
PageRect operandDisplayRect(const WindowLayout& window);
PageRect padKeyRect(const WindowLayout& window, const PadKey& key);

} // namespace tavolini
