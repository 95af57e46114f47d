// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "operations/operation.h"
#include "presentation/page_layout.h"
#include "presentation/virtual_keys.h"

#include <array>
#include <string>
#include <string_view>

namespace tavolini {

class CommandPanel;

// The command panel as designed: every window that shows it places its
// controls by these tables and names them so.
inline constexpr int PanelWidth = 145;
inline constexpr int PanelHeight = 520; // below the last row of buttons
inline constexpr int EquationButtons = 18;

// ① to ⑱ down the left edge, named "btnShiki" + n.
PageRect equationButtonRect(int n);
std::string equationButtonName(int n);

// The operations' box and their buttons' places inside it, in tab order.
inline constexpr PageRect OperationGroupRect{40, 8, 97, 121};
struct OperationPlace {
    Operation operation;
    PageRect rect;
};
extern const std::array<OperationPlace, 8> OperationPlaces;

// The number pad's box, its operand display and keys.
inline constexpr PageRect NumberPadRect{40, 208, 97, 161};
inline constexpr PageRect OperandDisplayRect{6, 14, 85, 24};
inline constexpr const char* NumberPadName = "grbNumber";
inline constexpr const char* OperandDisplayName = "pnlNumber";
// Above the page, beside the panel.
inline constexpr const char* PageCaptionName = "lblPageCaption";
struct PadKey {
    const char* name;
    const char* caption; // UTF-8
    const char* fed;     // what the key types; "-" and "分の" have rules of their own
    int column, row, span;
};
extern const std::array<PadKey, 14> PadKeys;
PageRect padKeyRect(const PadKey& key);

// A press of the key on the panel.
void pressPadKey(CommandPanel& panel, const PadKey& key);

// Where a control is offered: the web edition has no printing, editing or
// look-back windows.
enum class Edition { Both, DesktopOnly };

// The buttons of the panel's right column below the operations.
struct PanelButton {
    const char* name;
    const char* caption; // UTF-8
    PageRect rect;
    Edition edition = Edition::Both;
};
inline constexpr PanelButton ExecuteButton{"btnJikkou", "実行", {40, 136, 97, 33}};
inline constexpr PanelButton CorrectButton{"btnTeisei", "訂正", {40, 176, 97, 33}};
inline constexpr PanelButton NextButton{"btnNext", "次の問題", {40, 372, 97, 33}};
inline constexpr PanelButton PrintButton{"btnPrint", "　印　　刷　", {40, 408, 97, 33}, Edition::Both};
inline constexpr PanelButton ChangeUnitButton{"btnChangeTangen", "単元変更", {40, 444, 97, 33}};
inline constexpr PanelButton ScrollDownButton{"BitBtn1", "▼", {40, 480, 48, 33}};
inline constexpr PanelButton ScrollUpButton{"btnRollUp", "▲", {88, 480, 48, 33}};
inline constexpr std::array<PanelButton, 7> PanelButtons{ExecuteButton, CorrectButton,    NextButton,
                                                         PrintButton,   ChangeUnitButton, ScrollDownButton,
                                                         ScrollUpButton};

// The name a screen reader gives a control whose caption is a sign or says
// little, the design's hints among them (UTF-8); nullptr where the caption
// names the control.
const char* spokenName(std::string_view control);

// The menu bar: its menus, and their entries in order.
struct Menu {
    const char* name;
    const char* caption; // UTF-8, '&' before the access key
};
extern const std::array<Menu, 5> Menus;
struct MenuEntry {
    const char* name;
    const char* caption; // UTF-8, '&' before the access key
    int menu;            // its place in Menus
    int key;             // the key that chooses it too (VirtualKey), shown beside it; or 0
    bool separatorBefore;
    Edition edition;
};
extern const std::array<MenuEntry, 13> MenuEntries;
// "F1" for VirtualKey::F1: how a menu writes its key.
std::string keyName(int key);

} // namespace tavolini
