// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "editing/editor_text.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

std::vector<std::string> bytesOf(const std::vector<EditorLine>& lines) {
    std::vector<std::string> bytes;
    for (const EditorLine& line : lines)
        bytes.push_back(line.text);
    return bytes;
}

// Split as a file is split; a NUL stays in its line for the check to name;
// the first character the code page cannot hold is named, a broken sequence
// as U+FFFD; Windows's own single bytes are written as Windows writes them.
TEST(EditorText, SplitsAndEncodesTheTeachersText) {
    struct Row {
        std::string text;
        std::vector<std::string> bytes;
        std::vector<char32_t> unencodable;
    };
    const Row rows[] = {
        {"<<a\n\nx=1;y=①\n🙂\n", {"<<a", "", "x=1;y=\x87\x40", "?"}, {0, 0, 0, U'🙂'}},
        {std::string("x\0y\nz", 5), {std::string("x\0y", 3), "z"}, {0, 0}},
        {"", {}, {}},
        {"\n", {""}, {0}},
        {"x=🙂;y=①\xF0\x9F\x98\x80", {"x=?;y=\x87\x40?"}, {U'🙂'}},
        {"a\uFEFFb\n\uF86F\n¥‾", {"a?b", "?", "??"}, {U'\uFEFF', U'\uF86F', U'¥'}},
        {"a\xED\xA0\x80z", {"a?z"}, {U'\uFFFD'}},
        {"〜\u0080\uF8F0\uF8F3", {"\x81\x60\x80\xA0\xFF"}, {0}},
    };
    for (const Row& row : rows) {
        const std::vector<EditorLine> lines = editorLines(row.text);
        EXPECT_EQ(bytesOf(lines), row.bytes) << row.text;
        std::vector<char32_t> unencodable;
        for (const EditorLine& line : lines)
            unencodable.push_back(line.unencodable);
        EXPECT_EQ(unencodable, row.unencodable) << row.text;
    }
}

// 纊 at 0xED40 or 0xFA5C (written anew as 0xFA5C), ≒ at 0x8790 (as 0x81E0):
// lines that read as an original, in order, keep its bytes.
TEST(EditorText, LinesThatReadAsTheOriginalsKeepTheirBytes) {
    struct Row {
        const char* name;
        std::vector<std::string> original;
        const char* text;
        std::vector<std::string> bytes;
    };
    const Row rows[] = {
        {"a line inserted", {"\xED\x40", "\x87\x90"}, "纊\nx\n≒", {"\xED\x40", "x", "\x87\x90"}},
        {"a line removed", {"\xED\x40", "x", "y", "\x87\x90"}, "纊\ny\n≒", {"\xED\x40", "y", "\x87\x90"}},
        {"one character two ways",
         {"\xFA\x5C", "\xED\x40", "\xFA\x5C"},
         "纊\n纊\n纊",
         {"\xFA\x5C", "\xED\x40", "\xFA\x5C"}},
        {"a changed line", {"\xED@a", "\x87\x90"}, "纊b\n≒", {"\xFA\\b", "\x87\x90"}},
        {"lines swapped", {"\xED\x40", "\x87\x90"}, "≒\n纊", {"\x87\x90", "\xFA\x5C"}},
        {"a line copied", {"\xED\x40"}, "纊\n纊", {"\xED\x40", "\xFA\x5C"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(bytesOf(editorLines(row.text, row.original)), row.bytes) << row.name;
}

// What the editor shows of the set's lines comes back byte for byte, also
// bytes that read as no character.
TEST(EditorText, ShowsTheLinesSoThatTheyComeBackUntouched) {
    struct Row {
        std::vector<std::string> lines;
        std::string shown;
    };
    const Row rows[] = {
        {{"<<\x89\xc1\x8c\xb8", "x=1;y=2", ">>"}, "<<加減\nx=1;y=2\n>>"},
        {{"\xED\x40\x87\x90", "a\x82", "\x80\xA0", ""}, "纊≒\na\uFFFD\n\u0080\uF8F0\n"},
        {{}, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(editorText(row.lines), row.shown);
        std::vector<std::string> back = bytesOf(editorLines(row.shown, row.lines));
        // A last empty line is no line of the text.
        if (!row.lines.empty() && row.lines.back().empty()) back.emplace_back();
        EXPECT_EQ(back, row.lines) << row.shown;
    }
}

} // namespace
} // namespace tavolini
