// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "support/recording_canvas.h"

#include "core/cp932.h"

namespace tavolini {

void RecordingCanvas::record(CanvasCall::Kind kind, int x1, int y1, int x2, int y2, std::string_view text) {
    m_calls.push_back({kind, x1, y1, x2, y2, std::string(text), font(), pen(), penMode()});
}

void RecordingCanvas::textOut(int x, int y, std::string_view text) {
    record(CanvasCall::Kind::Text, x, y, 0, 0, text);
}

void RecordingCanvas::line(int x1, int y1, int x2, int y2) {
    record(CanvasCall::Kind::Line, x1, y1, x2, y2);
}

void RecordingCanvas::rectangle(int x1, int y1, int x2, int y2) {
    record(CanvasCall::Kind::Rectangle, x1, y1, x2, y2);
}

void RecordingCanvas::fillRect(int x1, int y1, int x2, int y2, Colour colour) {
    record(CanvasCall::Kind::Fill, x1, y1, x2, y2);
    m_calls.back().pen = colour;
}

void RecordingCanvas::clear() {
    freshSurface();
    record(CanvasCall::Kind::Clear, 0, 0, 0, 0);
}

std::string RecordingCanvas::drawing() const {
    std::string out;
    auto add = [&out](const std::string& entry) {
        if (!out.empty()) out += ' ';
        out += entry;
    };
    auto point = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    for (const CanvasCall& call : m_calls) {
        switch (call.kind) {
        case CanvasCall::Kind::Text:
            add(utf8FromCp932(call.text) + "@" + point(call.x1, call.y1));
            break;
        case CanvasCall::Kind::Line:
            if (call.y1 == call.y2)
                add("_" + std::to_string(call.x1) + "-" + std::to_string(call.x2) + "@" +
                    std::to_string(call.y1));
            else
                add("/" + point(call.x1, call.y1) + "-" + point(call.x2, call.y2));
            break;
        case CanvasCall::Kind::Rectangle:
            add("[" + point(call.x1, call.y1) + "-" + point(call.x2, call.y2) + "]");
            break;
        case CanvasCall::Kind::Fill:
            add("fill");
            break;
        case CanvasCall::Kind::Clear:
            add("clear");
            break;
        }
    }
    return out;
}

std::string RecordingCanvas::texts() const {
    std::string out;
    for (const CanvasCall& call : m_calls) {
        if (call.kind != CanvasCall::Kind::Text) continue;
        if (!out.empty()) out += ' ';
        out += utf8FromCp932(call.text);
    }
    return out;
}

const CanvasCall* RecordingCanvas::findText(const std::string& utf8) const {
    const std::string bytes = cp932(utf8);
    for (const CanvasCall& call : m_calls)
        if (call.kind == CanvasCall::Kind::Text && call.text == bytes) return &call;
    return nullptr;
}

} // namespace tavolini
