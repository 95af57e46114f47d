// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tavolini {

// The operations of the panel, in the order of their rows below.
enum class Operation { Multiply, Divide, Add, Subtract, Substitute, Transpose, Simplify, Brackets };

// What the window draws on an operation's button instead of a caption.
enum class Glyph { None, Times, Obelus, Plus, Minus };

// One operation: everything the panel, the window, the executor and the hint
// need to know of it. Texts are UTF-8 here; sentences come out in code page
// 932. In a sentence pattern {1} is the first equation's label, {2} the
// second's, {n} the number as typed and {v} the number in digits when it is
// whole, as typed otherwise.
struct OperationRow {
    Operation operation;
    char code;              // the design's character, the token operator of × ÷ ＋ －
    std::string_view keys;  // the keys that choose it once an equation is chosen
    const char* buttonName; // the window's object name
    const char* label;      // as written in the command: "×", "代入"; the caption when there is no glyph
    Glyph glyph;
    bool takesNumber;                // a number from the pad
    bool takesEquation;              // a second equation
    const char* sentence;            // on one equation (with the number); nullptr when it always takes two
    const char* twoEquationSentence; // with a second equation; nullptr when it takes none
    const char* sameOriginMessage;   // refusing two forms of one equation; nullptr when it takes none
};

inline constexpr std::array<OperationRow, 8> Operations{{
    {Operation::Multiply, '*', "*", "btnKake", "×", Glyph::Times, true, false, "{1}の両辺を{v}倍すると",
     nullptr, nullptr},
    {Operation::Divide, '/', "/", "btnWaru", "÷", Glyph::Obelus, true, false, "{1}の両辺を{v}で割ると",
     nullptr, nullptr},
    {Operation::Add, '+', "+", "btnTasu", "＋", Glyph::Plus, true, true, "{1}の両辺に{n}をたすと",
     "{1}と{2}をたすと", "同じ式から変形された式はたせません"},
    {Operation::Subtract, '-', "-", "btnHiku", "－", Glyph::Minus, true, true, "{1}の両辺から{n}をひくと",
     "{1}から{2}をひくと", "同じ式から変形された式はひけません"},
    {Operation::Substitute, '^', "Dd", "btnDainyu", "代入", Glyph::None, false, true, nullptr,
     "{1}を{2}に代入すると", "同じ式から変形された式に代入できません"},
    {Operation::Transpose, 'I', "Ii", "btnIkou", "移項", Glyph::None, false, false, "{1}を移項すると",
     nullptr, nullptr},
    {Operation::Simplify, 'S', "Ss", "btnSeiri", "整理", Glyph::None, false, false, "{1}を整理すると",
     nullptr, nullptr},
    {Operation::Brackets, 'K', "Kk", "btnKakko", "かっこ", Glyph::None, false, false, "{1}のかっこをはずすと",
     nullptr, nullptr},
}};

constexpr const OperationRow& operationRow(Operation operation) {
    return Operations[static_cast<std::size_t>(operation)];
}

// The operation a key chooses, if any.
constexpr const OperationRow* operationForKey(char key) {
    for (const OperationRow& row : Operations)
        if (row.keys.find(key) != std::string_view::npos) return &row;
    return nullptr;
}

// The words a step sentence is filled with (code page 932).
struct SentenceWords {
    std::string first;
    std::string second;
    std::string typed;
    std::string value;
};

// The pattern filled in, in code page 932.
std::string stepSentence(const char* pattern, const SentenceWords& words);

} // namespace tavolini
