// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "editing/problem_check.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

// The editor's text (UTF-8) split as the problem-set reader splits a file:
// at each '\n', a last line end making no empty line.
std::vector<std::string> textLines(std::string_view text);

// The editor's text as the set's lines, each in code page 932 with the
// first character the code page cannot hold. A line that reads as an
// original line, matched in order, keeps that line's bytes: code page 932
// writes some characters two ways, and what the teacher did not touch goes
// back as it was.
std::vector<EditorLine> editorLines(std::string_view text, const std::vector<std::string>& original = {});

// The set's lines as the editor shows them, joined by '\n': bytes that read
// as no character show as U+FFFD, Windows's own single bytes as Windows
// reads them, so that editorLines gives back what was untouched.
std::string editorText(const std::vector<std::string>& lines);

} // namespace tavolini
