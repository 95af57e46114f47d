// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "files/profile_text.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

using Lines = std::vector<std::string>;

TEST(ProfileText, FindsValuesIgnoringAsciiCaseOnly) {
    const std::string file = "top=0\r\n"
                             "[Unit A]\r\n"
                             " 1 = 3 \r\n"
                             ";2=9\r\n"
                             "junk line\r\n"
                             "DATE=a=b\r\n"
                             "[]\r\n"
                             "1=7\r\n"
                             "[\x83\x41]\r\n"
                             "1=5\r\n"
                             "[a]]\r\n"
                             "1=6\r\n"
                             "[unit a]\r\n"
                             "1=99\r\n"
                             "4=1\r\n";
    const ProfileText profile = parseProfile(file);
    const struct {
        const char* name;
        std::string section;
        std::string key;
        std::optional<std::string> value;
    } rows[] = {
        {"blanks around key and value", "Unit A", "1", "3"},
        {"section case ignored", "UNIT a", "1", "3"},
        {"key case ignored", "unit a", "date", "a=b"},
        {"a comment is no key", "Unit A", "2", std::nullopt},
        {"first section of a name only", "Unit A", "4", std::nullopt},
        {"missing section", "Unit B", "1", std::nullopt},
        {"empty name", "", "1", "7"},
        {"lines before any section", "", "top", std::nullopt},
        {"double-byte name", "\x83\x41", "1", "5"},
        {"a second byte is not a letter", "\x83\x61", "1", std::nullopt},
        {"name up to the last bracket", "a]", "1", "6"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readProfileString(profile, row.section, row.key), row.value) << row.name;
}

TEST(ProfileText, WritesValuesAndKeepsEveryOtherLine) {
    ProfileText profile = parseProfile("; records\r\n[a]\r\n1=1\r\nodd line\n\r\n[b]\r\n1=2\r\n");
    ASSERT_TRUE(writeProfileString(profile, "A", "1", "5"));        // replaced where it is
    ASSERT_TRUE(writeProfileString(profile, "a", "DATE", "today")); // added before the blank line
    ASSERT_TRUE(writeProfileString(profile, "c", "3", "1"));        // a new section at the end
    EXPECT_EQ(profileBytes(profile), "; records\r\n[a]\r\n1=5\r\nodd line\r\nDATE=today\r\n\r\n[b]\r\n1=2\r\n"
                                     "[c]\r\n3=1\r\n");

    ProfileText empty;
    ASSERT_TRUE(writeProfileString(empty, "", "1", "1"));
    EXPECT_EQ(empty.lines, (Lines{"[]", "1=1"}));

    for (const std::string& broken : {std::string("a\r\nb"), std::string("a\nb"), std::string("a\0b", 3)}) {
        ProfileText unchanged = parseProfile("[a]\r\n1=1\r\n");
        EXPECT_FALSE(writeProfileString(unchanged, broken, "1", "2"));
        EXPECT_FALSE(writeProfileString(unchanged, "a", broken, "2"));
        EXPECT_FALSE(writeProfileString(unchanged, "a", "1", broken));
        EXPECT_EQ(unchanged.lines, (Lines{"[a]", "1=1"}));
    }
}

TEST(ProfileText, ErasesEverySectionOfTheName) {
    ProfileText profile = parseProfile("[a]\r\n1=1\r\n[b]\r\n1=2\r\n[A]\r\nDATE=x\r\n");
    EXPECT_TRUE(eraseProfileSection(profile, "a"));
    EXPECT_EQ(profile.lines, (Lines{"[b]", "1=2"}));
    EXPECT_FALSE(eraseProfileSection(profile, "a"));
    EXPECT_EQ(profile.lines, (Lines{"[b]", "1=2"}));
}

} // namespace
} // namespace tavolini
