// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/profile_text.h"

#include "core/cp932.h"
#include "core/text_file.h"

namespace tavolini {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The name of a section line: from after its '[' to its last ']'.
std::optional<std::string_view> sectionName(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start]))
        ++start;
    if (start == line.size() || line[start] != '[') return std::nullopt;
    const std::size_t end = line.rfind(']');
    if (end == std::string_view::npos || end <= start) return std::nullopt;
    return line.substr(start + 1, end - start - 1);
}

// The key of a "key=value" line.
std::optional<std::string_view> keyOf(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return trimBlanks(line.substr(0, equals));
}

bool isSectionLine(std::string_view line) {
    return sectionName(line).has_value();
}

// The lines [begin, end) of the first section named `section`, begin being
// its header; end == begin when there is none.
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

Span findSection(const ProfileText& profile, std::string_view section, std::size_t from = 0) {
    const std::vector<std::string>& lines = profile.lines;
    for (std::size_t i = from; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i]);
        if (!name || !sameProfileName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !isSectionLine(lines[end]))
            ++end;
        return {i, end};
    }
    return {lines.size(), lines.size()};
}

std::optional<std::size_t> findKey(const ProfileText& profile, Span span, std::string_view key) {
    for (std::size_t i = span.begin + 1; i < span.end; ++i) {
        const auto found = keyOf(profile.lines[i]);
        if (found && sameProfileName(*found, key)) return i;
    }
    return std::nullopt;
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

ProfileText parseProfile(std::string_view bytes) {
    const bool byteOrderMark = bytes.starts_with(ByteOrderMark);
    if (byteOrderMark) bytes.remove_prefix(ByteOrderMark.size());
    return {splitLines(bytes), byteOrderMark};
}

std::string profileBytes(const ProfileText& profile) {
    return (profile.byteOrderMark ? std::string(ByteOrderMark) : std::string()) + joinLines(profile.lines);
}

std::optional<ProfileText> readProfileText(std::string_view bytes) {
    ProfileText profile = parseProfile(bytes);
    if (!isCp932Text(bytes.substr(profile.byteOrderMark ? ByteOrderMark.size() : 0))) return std::nullopt;
    for (const std::string& line : profile.lines) {
        const std::string_view trimmed = trimBlanks(line);
        if (!trimmed.empty() && trimmed.front() != ';' && !isSectionLine(line) && !keyOf(line))
            return std::nullopt;
    }
    return profile;
}

bool sameProfileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isCp932LeadByte(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (foldAscii(a[i]) != foldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> readProfileString(const ProfileText& profile, std::string_view section,
                                             std::string_view key) {
    const Span span = findSection(profile, section);
    if (span.begin == span.end) return std::nullopt;
    const auto line = findKey(profile, span, key);
    if (!line) return std::nullopt;
    const std::string_view text = profile.lines[*line];
    return std::string(trimBlanks(text.substr(text.find('=') + 1)));
}

bool writeProfileString(ProfileText& profile, std::string_view section, std::string_view key,
                        std::string_view value) {
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) return false;
    std::string entry = std::string(key) + "=" + std::string(value);

    const Span span = findSection(profile, section);
    if (span.begin == span.end) {
        profile.lines.push_back("[" + std::string(section) + "]");
        profile.lines.push_back(std::move(entry));
        return true;
    }
    if (const auto line = findKey(profile, span, key)) {
        profile.lines[*line] = std::move(entry);
        return true;
    }
    // After the section's last line that is not empty, so that a blank line
    // before the next section stays where it is.
    std::size_t at = span.end;
    while (at > span.begin + 1 && trimBlanks(profile.lines[at - 1]).empty())
        --at;
    profile.lines.insert(profile.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    return true;
}

bool eraseProfileSection(ProfileText& profile, std::string_view section) {
    bool erased = false;
    for (Span span = findSection(profile, section); span.begin != span.end;
         span = findSection(profile, section, span.begin)) {
        profile.lines.erase(profile.lines.begin() + static_cast<std::ptrdiff_t>(span.begin),
                            profile.lines.begin() + static_cast<std::ptrdiff_t>(span.end));
        erased = true;
    }
    return erased;
}

} // namespace tavolini
