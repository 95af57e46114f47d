// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolini {

// An initialisation file held as its lines of code page 932 bytes: "[name]"
// opens a section, "key=value" lines belong to the section above them, lines
// starting with ';' and any other lines are kept but mean nothing. Names and
// keys are found ignoring the case of ASCII letters, as the platform's profile
// functions do; the second byte of a double-byte character is never folded.
// Lines that are not changed are written back byte for byte, and so is a
// UTF-8 byte order mark at the start.
struct ProfileText {
    std::vector<std::string> lines;
    bool byteOrderMark = false;
};

ProfileText parseProfile(std::string_view bytes);
std::string profileBytes(const ProfileText& profile);

// The bytes as an initialisation file; nothing when they are some other
// file: not code page 932 text, or a line that is not a section, a
// "key=value", a comment or blank.
std::optional<ProfileText> readProfileText(std::string_view bytes);

// Equal ignoring the case of ASCII letters outside double-byte characters.
bool sameProfileName(std::string_view a, std::string_view b);

// The value of `key` in the first section named `section`, blanks around it
// removed; nothing when the section or the key is not there.
std::optional<std::string> readProfileString(const ProfileText& profile, std::string_view section,
                                             std::string_view key);

// Sets `key` in the first section named `section`, adding the key or the
// section at its end when missing. False, and nothing changed, when a text
// holds a line end or NUL, which would break the file's lines apart.
bool writeProfileString(ProfileText& profile, std::string_view section, std::string_view key,
                        std::string_view value);

// Removes every section named `section` with all its lines; true when there was one.
bool eraseProfileSection(ProfileText& profile, std::string_view section);

} // namespace tavolini
