// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
// Any bytes as a record file: the viewer's and the deletion dialog's lists,
// a count written and read back, and a section erased; what reads as a
// record file reads the same once written. Nothing may crash,
// lines stay bounded, and what is written is what is read.
#include "files/practice_records.h"
#include "files/problem_set.h"
#include "files/profile_text.h"
#include "practice/record_lists.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace tavolini;

namespace {

// The titles of the sections the file names, so that the lists find them.
ProblemSet setNamingSections(const ProfileText& profile) {
    ProblemSet set;
    for (const std::string& line : profile.lines) {
        if (set.unitCount == MaxUnits) break;
        if (line.size() < 2 || line.front() != '[' || line.back() != ']') continue;
        ++set.unitCount;
        const auto row = static_cast<std::size_t>(set.unitCount);
        set.UnitNames[row] = line.substr(1, line.size() - 2);
        set.problemCounts[row] = static_cast<std::int32_t>(line.size() % (MaxProblemsPerUnit + 1));
    }
    return set;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProfileText profile = parseProfile(bytes);
    if (parseProfile(profileBytes(profile)).lines != profile.lines) std::abort();
    // What reads as a record file reads the same once written back.
    if (const std::optional<ProfileText> accepted = readProfileText(bytes)) {
        const std::optional<ProfileText> again = readProfileText(profileBytes(*accepted));
        if (!again || again->lines != accepted->lines || again->byteOrderMark != accepted->byteOrderMark)
            std::abort();
    }

    const ProblemSet set = setNamingSections(profile);
    for (const std::string& line : recordListLines(set, profile))
        if (line.size() > bytes.size() + 2 * static_cast<std::size_t>(MaxStarsShown) + 3) std::abort();
    if (deletionListLines(set, profile).size() > static_cast<std::size_t>(set.unitCount)) std::abort();

    for (int unit = 1; unit <= set.unitCount; ++unit) {
        const std::string& title = set.UnitNames[static_cast<std::size_t>(unit)];
        if (readCount(readProfileString(profile, title, "1").value_or("")) < 0) std::abort();
        if (title.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) continue;
        if (!writeProfileString(profile, title, "1", "12")) std::abort();
        if (readProfileString(profile, title, "1") != "12") std::abort();
        if (!eraseProfileSection(profile, title)) std::abort();
        if (readProfileString(profile, title, "1").has_value()) std::abort();
    }
    return 0;
}
