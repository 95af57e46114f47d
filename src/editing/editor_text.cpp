// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "editing/editor_text.h"

#include "core/cp932.h"

namespace tavolini {
namespace {

constexpr char16_t Replacement = u'\uFFFD';
constexpr char Substitute = '?';

std::string shownLine(std::string_view line) {
    std::string utf8;
    utf8.reserve(line.size() * 3 / 2);
    for (std::size_t i = 0; i < line.size();)
        appendUtf8(utf8, nextCp932(line, i).value_or(Replacement));
    return utf8;
}

// Every character through the core's table, Windows's own single bytes too:
// a text may come with them.
EditorLine encodedLine(std::string_view line) {
    EditorLine out;
    out.text.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        const std::optional<char32_t> c = nextUtf8(line, i);
        if (const std::optional<std::uint16_t> code = c ? encodeCp932(*c) : std::nullopt) {
            appendCp932(out.text, *code);
            continue;
        }
        out.text += Substitute;
        if (out.unencodable == 0) out.unencodable = c.value_or(Replacement);
    }
    return out;
}

// Gives the lines that read as an original line that line's bytes: those
// alike at the start and at the end, then those between in order.
void keepOriginalBytes(std::vector<EditorLine>& lines, const std::vector<std::string>& texts,
                       const std::vector<std::string>& original) {
    std::vector<std::string> read;
    read.reserve(original.size());
    for (const std::string& line : original)
        read.push_back(shownLine(line));
    const auto same = [&](std::size_t i, std::size_t j) {
        if (texts[i] != read[j]) return false;
        lines[i] = EditorLine{original[j]};
        return true;
    };
    std::size_t lineEnd = lines.size(), originalEnd = original.size();
    std::size_t head = 0;
    while (head < lineEnd && head < originalEnd && same(head, head))
        ++head;
    while (lineEnd > head && originalEnd > head && same(lineEnd - 1, originalEnd - 1)) {
        --lineEnd;
        --originalEnd;
    }
    std::size_t next = head;
    for (std::size_t i = head; i < lineEnd; ++i) {
        for (std::size_t j = next; j < originalEnd; ++j) {
            if (!same(i, j)) continue;
            next = j + 1;
            break;
        }
    }
}

} // namespace

std::vector<std::string> textLines(std::string_view text) {
    std::vector<std::string> lines;
    for (;;) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) break;
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (!text.empty()) lines.emplace_back(text);
    return lines;
}

std::vector<EditorLine> editorLines(std::string_view text, const std::vector<std::string>& original) {
    const std::vector<std::string> texts = textLines(text);
    std::vector<EditorLine> lines;
    lines.reserve(texts.size());
    for (const std::string& line : texts)
        lines.push_back(encodedLine(line));
    keepOriginalBytes(lines, texts, original);
    return lines;
}

std::string editorText(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        text += shownLine(lines[i]);
    }
    return text;
}

} // namespace tavolini
