// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "practice/answer_text.h"
#include "practice/drill_session.h"
#include "presentation/virtual_keys.h"
#include "support/fake_views.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <vector>

namespace tavolini {
namespace {

// One problem, solved by halving both equations.
constexpr const char* OneProblem = "<<t\r\n2x=2;2y=2\r\n>>\r\n";
constexpr const char* NoUnit = "2x=2;2y=2\r\n";

// A front end that remembers what the pupil would see.
class RecordingFrontEnd final : public DrillFrontEnd {
  public:
    void enableControl(const std::string& name, bool on) override { enabled[name] = on; }
    void showControl(const std::string& name, bool visible) override { shown[name] = visible; }
    void setControlText(const std::string& name, std::string_view text) override {
        texts[name] = utf8FromCp932(text);
    }
    void focusControl(const std::string& name) override { focused = name; }
    void blink(bool) override {}
    void open(FrontEndWindow window) override { opened.push_back(window); }
    void closeWindow() override { ++closes; }

    std::map<std::string, bool> enabled, shown;
    std::map<std::string, std::string> texts;
    std::string focused;
    std::vector<FrontEndWindow> opened;
    int closes = 0;
};

// The session over recording fakes, started with `setText` as ZUdir.sim
// (nothing: no file).
struct Session {
    explicit Session(const char* setText) {
        if (setText != nullptr) std::ofstream(folder / "ZUdir.sim", std::ios::binary) << setText;
        std::ofstream(folder / "good.sim", std::ios::binary) << OneProblem;
        data.page.equationLimit = 24;
        data.page.rowsPerScreen = 6;
        started = session.start(folder / "ZUdir.sim");
    }
    void click(std::initializer_list<const char*> names) {
        for (const char* name : names)
            session.click(name);
    }
    std::string message() const { return pageView.message(); }

    TempFolder folder;
    ScriptedDialogs dialogs;
    DrillData data;
    ScriptedDrillDialogs drillDialogs{data.problems};
    RecordingFrontEnd frontEnd;
    FakePageView pageView{data.algebra, data.page};
    DrillSession session{data, dialogs, drillDialogs, frontEnd,
                         [this](PageEvents&) -> PageView& { return pageView; }};
    bool started = false;
};

TEST(DrillSession, NextProblemAndUnitChangeNeedALoadedSet) {
    const struct Row {
        const char* what;
        const char* set;
        std::optional<std::string> opened; // a file chosen with 開く afterwards
        bool available;
    } rows[] = {
        {"a set that reads", OneProblem, {}, true},
        {"a set without units", NoUnit, {}, false},
        {"no set, then one opened", NoUnit, "good.sim", true},
        {"a set, then a failed open", OneProblem, "missing.sim", true},
        {"no set, then a failed open", NoUnit, "missing.sim", false},
    };
    for (const Row& row : rows) {
        Session s(row.set);
        ASSERT_TRUE(s.started) << row.what;
        if (row.opened) {
            s.dialogs.files.push_back(s.folder / *row.opened);
            s.session.menu("mnuOpen");
        }
        for (const char* name : {"btnNext", "mnuNext", "btnChangeTangen", "mnuChange"}) {
            EXPECT_EQ(s.frontEnd.enabled[name], row.available) << row.what << ": " << name;
            EXPECT_EQ(s.session.isAvailable(name), row.available) << row.what << ": " << name;
        }
        EXPECT_EQ(s.frontEnd.focused, row.available ? "btnNext" : "") << row.what;
    }
}

// A click on a control that is off, hidden or unknown changes nothing.
TEST(DrillSession, ClicksOnControlsThatAreOffDoNothing) {
    const struct Row {
        std::initializer_list<const char*> before;
        const char* name;
    } rows[] = {
        {{}, "btnJikkou"}, {{}, "btn3"},
        {{}, "btnShiki3"}, {{"btnShiki1"}, "btnShiki19"},
        {{}, "grbNumber"}, {{"btnShiki1", "btnKake", "btn3", "btnJikkou"}, "btn2"},
    };
    for (const Row& row : rows) {
        Session s(OneProblem);
        s.click(row.before);
        const std::string message = s.message();
        const int equations = s.data.algebra.equationCount;
        s.session.click(row.name);
        EXPECT_EQ(s.message(), message) << row.name;
        EXPECT_EQ(s.data.algebra.equationCount, equations) << row.name;
    }
    Session s(OneProblem);
    s.click({"btnShiki1", "btnWaru", "btn2"});
    EXPECT_EQ(s.frontEnd.texts["pnlNumber"], "2");
    EXPECT_TRUE(s.frontEnd.enabled["btnJikkou"]);
    EXPECT_EQ(s.frontEnd.focused, "btnJikkou");
    s.session.click("btnJikkou");
    EXPECT_EQ(s.data.algebra.equationCount, 3);
    EXPECT_FALSE(s.frontEnd.enabled["grbNumber"]);
}

TEST(DrillSession, AMissingSetEndsTheProgramAndNothingMoreIsTaken) {
    Session s(nullptr);
    EXPECT_FALSE(s.started);
    EXPECT_TRUE(s.session.ended());
    EXPECT_EQ(s.frontEnd.closes, 1);
    s.session.menu("mnuUsage");
    EXPECT_FALSE(s.session.key(VirtualKey::F1, false, "", KeyPlace::Window));
    EXPECT_TRUE(s.frontEnd.opened.empty());
}

// F1 and F2 wherever they are typed; other keys as the place takes them.
TEST(DrillSession, KeysOnTheWindowAndOnThePage) {
    const struct Row {
        std::initializer_list<const char*> before;
        int key;
        const char* text;
        KeyPlace where;
        bool used;
        const char* message;
        int equations;
        bool helpOpened;
    } rows[] = {
        {{}, VirtualKey::F1, "", KeyPlace::Window, true, "", 2, true},
        {{}, VirtualKey::F1, "", KeyPlace::Page, true, "", 2, true},
        {{}, VirtualKey::F2, "", KeyPlace::Page, true, "ヒント：②÷2（yを求めます）", 2, false},
        {{}, 0, "+", KeyPlace::Window, true, "", 2, false},
        {{}, 0, "+", KeyPlace::Page, false, "", 2, false},
        {{}, 0, "e", KeyPlace::Page, true, "", 2, false}, // an equation's number follows
        {{"btnShiki1"}, 0, "/", KeyPlace::Page, true, "①÷", 2, false},
        {{"btnShiki1", "btnWaru", "btn2"},
         VirtualKey::Enter,
         "\r",
         KeyPlace::Page,
         true,
         "解の１つが出ました",
         3,
         false},
        {{"btnShiki1", "btnWaru"}, VirtualKey::Escape, "", KeyPlace::Window, true, "", 2, false},
    };
    for (const Row& row : rows) {
        Session s(OneProblem);
        s.click(row.before);
        EXPECT_EQ(s.session.key(row.key, false, cp932(row.text), row.where), row.used) << row.key;
        EXPECT_EQ(s.message(), row.message) << row.key;
        EXPECT_EQ(s.data.algebra.equationCount, row.equations) << row.key;
        EXPECT_EQ(s.frontEnd.opened == std::vector{FrontEndWindow::HelpContents}, row.helpOpened) << row.key;
    }
}

// The class server is told of each problem solved once, with the hints asked
// on that problem alone and the time it took.
TEST(DrillSession, EachSolvedProblemIsReportedOnceWithItsOwnHints) {
    Session s(OneProblem);
    ASSERT_TRUE(s.started);
    const struct Row { int hints; } rows[] = {{2}, {0}};
    for (const Row& row : rows) {
        for (int i = 0; i < row.hints; ++i)
            s.session.menu("mnuHint");
        s.click({"btnShiki1", "btnWaru", "btn2", "btnJikkou"});
        EXPECT_FALSE(s.session.takeCompletion());
        s.click({"btnShiki2", "btnWaru", "btn2", "btnJikkou"});
        const std::optional<Completion> solved = s.session.takeCompletion();
        ASSERT_TRUE(solved);
        EXPECT_EQ(solved->setPath, s.data.problems.problemSetPath);
        EXPECT_EQ(solved->unitTitle, "t");
        EXPECT_EQ(solved->problem, 1);
        EXPECT_EQ(stepLogText(solved->steps), "1/#2 2/#2");
        EXPECT_EQ(answerText(solved->answers), "x=1 y=1");
        EXPECT_EQ(solved->hints, row.hints);
        EXPECT_GT(solved->startedAt, 1'700'000'000'000);
        EXPECT_LE(solved->startedAt, solved->endedAt);
        EXPECT_FALSE(s.session.takeCompletion());
        s.click({"btnNext"}); // the set's one problem again
    }
}

} // namespace
} // namespace tavolini
