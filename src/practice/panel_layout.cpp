// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/panel_layout.h"

#include "core/cp932.h"
#include "practice/command_panel.h"

#include <string>
#include <utility>

namespace tavolini {

PageRect equationButtonRect(int n) {
    return {8, 8 + 24 * (n - 1), 25, 25};
}

std::string equationButtonName(int n) {
    return "btnShiki" + std::to_string(n);
}

const std::array<OperationPlace, 8> OperationPlaces{{
    {Operation::Multiply, {8, 11, 25, 25}},
    {Operation::Divide, {8, 38, 25, 25}},
    {Operation::Subtract, {8, 65, 25, 25}},
    {Operation::Add, {8, 89, 25, 25}},
    {Operation::Substitute, {40, 12, 49, 25}},
    {Operation::Simplify, {40, 38, 49, 25}},
    {Operation::Transpose, {40, 64, 49, 25}},
    {Operation::Brackets, {40, 88, 49, 25}},
}};
static_assert(OperationPlaces.size() == Operations.size(), "every operation has a button");

// The seven key carries an ASCII "7", as the drill always had.
const std::array<PadKey, 14> PadKeys{{
    {"btn7", "7", "7", 0, 0, 1},
    {"btn8", "８", "8", 1, 0, 1},
    {"btn9", "９", "9", 2, 0, 1},
    {"btn4", "４", "4", 0, 1, 1},
    {"btn5", "５", "5", 1, 1, 1},
    {"btn6", "６", "6", 2, 1, 1},
    {"btn1", "１", "1", 0, 2, 1},
    {"btn2", "２", "2", 1, 2, 1},
    {"btn3", "３", "3", 2, 2, 1},
    {"btn0", "０", "0", 0, 3, 1},
    {"btnMinus", "－", "-", 1, 3, 1},
    {"btnDecimal", "．", ".", 2, 3, 1},
    {"btnBunsu", "分の", "分の", 0, 4, 2},
    {"btnClear", "CL", "CL", 2, 4, 1},
}};

PageRect padKeyRect(const PadKey& key) {
    return {6 + 28 * key.column, 42 + 23 * key.row, 28 * key.span - 1, 22};
}

const std::array<Menu, 5> Menus{{
    {"mnuSave", "ファイル(&F)"},
    {"mnuEdit", "編集(&E)"},
    {"mnuDisplay", "表示(&V)"},
    {"mnuChangeQues", "問題変更(&M)"},
    {"mnuHelp", "ヘルプ(&H)"},
}};

const std::array<MenuEntry, 13> MenuEntries{{
    {"mnuOpen", "開く(&O)", 0, 0, false, Edition::Both},
    {"mnuSaveAs", "保存する(&S)", 0, 0, false, Edition::Both},
    {"mnuPrint", "印刷する(&P)", 0, 0, true, Edition::Both},
    {"mnuExit", "終了(&X)", 0, 0, true, Edition::DesktopOnly},
    {"mnuEditZudir", "問題を編集する(&E)", 1, 0, false, Edition::Both},
    {"mnuShowRecord", "練習の記録(&R)", 2, 0, false, Edition::Both},
    {"mnuDump", "スタック(&S)", 2, 0, false, Edition::Both},
    {"mnuNext", "次の問題(&N)", 3, 0, false, Edition::Both},
    {"mnuChange", "単元変更(&C)", 3, 0, false, Edition::Both},
    {"mnuUsage", "使い方(&U)", 4, VirtualKey::F1, false, Edition::Both},
    {"OnePoint", "ワンポイント(&P)", 4, 0, false, Edition::Both},
    {"mnuHint", "ヒント(&T)", 4, VirtualKey::F2, false, Edition::Both},
    {"mnuVersion", "バージョン情報(&V)", 4, 0, false, Edition::DesktopOnly},
}};

const char* spokenName(std::string_view control) {
    constexpr std::array<std::pair<std::string_view, const char*>, 9> Names{{
        {"btnKake", "かける"},
        {"btnWaru", "わる"},
        {"btnTasu", "たす"},
        {"btnHiku", "ひく"},
        {"btnMinus", "マイナス"},
        {"btnDecimal", "小数点"},
        {"btnClear", "クリアする"},
        {ScrollDownButton.name, "下スクロール"},
        {ScrollUpButton.name, "上スクロール"},
    }};
    for (const auto& [name, spoken] : Names)
        if (control == name) return spoken;
    return nullptr;
}

std::string keyName(int key) {
    return "F" + std::to_string(key - VirtualKey::F1 + 1);
}

void pressPadKey(CommandPanel& panel, const PadKey& key) {
    const std::string fed = key.fed;
    if (fed == "-")
        panel.minusKey();
    else
        panel.padInput(fed == "分の" ? cp932(fed) : fed);
}

} // namespace tavolini
