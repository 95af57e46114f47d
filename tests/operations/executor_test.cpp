// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "operations/executor.h"
#include "support/drill.h"
#include "support/typical_road.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

using Shown = std::vector<std::string>;

// One command on a freshly loaded problem: what it writes, the sentence it
// gives and the messages the pupil sees.
struct StepRow {
    const char* first;
    const char* second;
    std::vector<std::string> before; // commands run first, all accepted
    std::string command;
    std::string tokens; // "refused" for a refusal
    std::string sentence;
    Shown shown;
};

void checkRows(const std::vector<StepRow>& rows) {
    for (const StepRow& row : rows) {
        Drill drill;
        const std::string name = std::string(row.first) + ";" + row.second + " " + row.command;
        ASSERT_TRUE(drill.load(row.first, row.second)) << name;
        for (const std::string& command : row.before)
            ASSERT_NE(drill.run(command), "refused") << name << ": " << command;
        drill.takeShown();
        const int before = drill.algebra.equationCount;
        EXPECT_EQ(drill.run(row.command), row.tokens) << name;
        EXPECT_EQ(drill.takeShown(), row.shown) << name;
        if (row.tokens == "refused") {
            EXPECT_EQ(drill.algebra.equationCount, before) << name;
            EXPECT_EQ(drill.algebra.EquationTable[static_cast<std::size_t>(before + 1)].count, 0) << name;
        } else {
            EXPECT_EQ(drill.sentence(drill.algebra.equationCount), row.sentence) << name;
        }
    }
}

TEST(Executor, TheTypicalRoadSolvesTheProblem) {
    Drill drill;
    ASSERT_TRUE(drill.load(RoadFirst, RoadSecond));
    for (const RoadStep& step : TypicalRoad) {
        EXPECT_EQ(drill.run(step.command), step.equation) << step.command;
        EXPECT_EQ(drill.sentence(drill.algebra.equationCount), step.sentence) << step.command;
        EXPECT_EQ(judgeEquation(drill.algebra, drill.answers, drill.algebra.equationCount), step.verdict)
            << step.command;
    }
    EXPECT_TRUE(isSolved(drill.answers));
    EXPECT_EQ(drill.algebra.equationCount, 8);
    EXPECT_TRUE(drill.takeShown().empty());
    EXPECT_EQ(drill.algebra.EquationTable[SolutionSlotX].count, 3);
    EXPECT_EQ(drill.algebra.EquationTable[SolutionSlotY].tokens[0], makeToken(1, 1, 'y'));
}

TEST(Executor, ScalesBothSides) {
    checkRows({
        {"-(x-y)=1/2", "x+y=1", {}, "①×2", "-2 ( 1x -1y ) = 1", "①式の両辺を2倍すると", {}},
        {"2(x+3)=10", "y=1", {}, "①×3", "6 ( 1x 3 ) = 30", "①式の両辺を3倍すると", {}},
        {"3x=6", "y=1", {}, "①÷3", "1x = 2", "①式の両辺を3で割ると", {}},
        {"3x=6", "y=1", {}, "①÷2分の3", "2x = 4", "①式の両辺を2分の3で割ると", {}},
        {"x+y=1", "x=1", {}, "①×0.5", "1/2x 1/2y = 1/2", "①式の両辺を0.5倍すると", {}},
        {"x+y=1", "x=1", {}, "①×4分の8", "2x 2y = 2", "①式の両辺を4分の8倍すると", {}},
        {"1|2x=y", "x=1", {}, "①×2", "1x = 2y", "①式の両辺を2倍すると", {}},
        {"x+y=1", "x=1", {}, "①×-2", "-2x -2y = -2", "①式の両辺を-2倍すると", {}},
        {"x+y=1", "x=1", {}, "①×2.0", "2x 2y = 2", "①式の両辺を2倍すると", {}},
        {"4x=6", "y=1", {}, "①÷2.0", "2x = 3", "①式の両辺を2で割ると", {}},
        {"x+y=1", "x=1", {}, "①×0", "refused", "", {"message: ０をかけることはできません"}},
        {"x+y=1", "x=1", {}, "①×0.0", "refused", "", {"message: ０をかけることはできません"}},
        {"x+y=1", "x=1", {}, "①÷0", "refused", "", {"message: ０では割れません"}},
        {"x+y=1", "x=1", {}, "①×②", "refused", "", {"message: 式をかけることはできません"}},
    });
}

// An operand that cannot be read ends the command with its own message: no
// zero to multiply by, no order message after it.
TEST(Executor, ARefusedOperandEndsTheCommandWithItsOneMessage) {
    const std::pair<const char*, const char*> rows[] = {
        {"12345", "12345 ←数値は４桁以下にしてください"},
        {"12345678901", "12345678901 ←数値は４桁以下にしてください"},
        {"4294967296", "4294967296 ←数値は４桁以下にしてください"},
        {"00003", "00003 ←数値は４桁以下にしてください"},
        {"-99999", "-99999 ←数値は４桁以下にしてください"},
        {"1234567.8", "1234567.8 ←小数の長さが長すぎます"},
        {"1.2.3", "1.2.3 ←数値の表現があやまりです"},
        {"3分の2分の1", "3分の2分の1 ←数値の表現があやまりです"},
        {"0分の2", "分母が０です"},
        {"分の3", "分の3 ←分数の表現があやまりです"},
        {"3分の", "3分の ←分数の表現があやまりです"},
        {".", "数を入れてください"},
        {"-", "数を入れてください"},
        {"-.", "数を入れてください"},
    };
    for (const auto& [operand, message] : rows)
        for (const char* operation : {"×", "÷", "＋", "－"}) {
            const std::string command = std::string("①") + operation + operand;
            Drill drill;
            ASSERT_TRUE(drill.load("x+y=1", "x-y=1"));
            EXPECT_EQ(drill.run(command), "refused") << command;
            EXPECT_EQ(drill.takeShown(), Shown{std::string("message: ") + message}) << command;
            EXPECT_EQ(drill.algebra.EquationTable[3].count, 0) << command;
        }
}

// A zero number or term is written 0, whatever denominator it came from.
TEST(Executor, WritesAZeroAsZero) {
    checkRows({
        {"x+y=1/2", "x-y=1/2", {}, "①－②", "2y = 0", "①式から②式をひくと", {}},
        {"x+y=1/2", "x-y=1/2", {"①－②"}, "③÷2分の5", "4/5y = 0", "③式の両辺を2分の5で割ると", {}},
        {"x+y=1/2", "x-y=1/2", {"①－②"}, "③×3分の2", "4/3y = 0", "③式の両辺を3分の2倍すると", {}},
        {"x=0", "2/3x=y", {}, "①代入②", "0 = 1y", "①式を②式に代入すると", {}},
    });
}

TEST(Executor, AddsAndSubtractsEquations) {
    checkRows({
        {"2x+3y=7", "x-3y=2", {}, "①＋②", "3x = 9", "①式と②式をたすと", {}},
        {"2x+3y=7", "2x-y=3", {}, "①－②", "4y = 4", "①式から②式をひくと", {}},
        {"2x+3y=7", "2x+3y=5", {}, "①－②", "0 = 2", "①式から②式をひくと", {}},
        {"x+y=2", "-x-y=-2", {}, "①＋②", "0 = 0", "①式と②式をたすと", {}},
        {"x+1|2=y", "x=y", {}, "①－②", "1/2 = 0", "①式から②式をひくと", {}},
        {"2(x+1)=4", "x+y=3", {}, "①＋②", "refused", "", {"message: かっこをはずしてください"}},
        {"x+y=3", "2(x+1)=4", {}, "②－①", "refused", "", {"message: かっこをはずしてください"}},
    });
}

TEST(Executor, AddsANumberToBothSides) {
    checkRows({
        {"2x+3=7", "y=1", {}, "①＋-3", "2x = 4", "①式の両辺に-3をたすと", {}},
        {"2x+3=7", "y=1", {}, "①－3", "2x = 4", "①式の両辺から3をひくと", {}},
        {"2x+3=7", "y=1", {}, "①－2分の1", "2x 5/2 = 13/2", "①式の両辺から2分の1をひくと", {}},
        {"2x=y", "y=1", {}, "①＋4分の2", "2x 2/4 = 1y 2/4", "①式の両辺に4分の2をたすと", {}},
        {"2(x+1)=4", "y=1", {}, "①＋3", "2 ( 1x 1 ) 3 = 4 3", "①式の両辺に3をたすと", {}},
        {"x+1|2=y", "y=1", {}, "①＋1", "1x 3/2 = 1y 1", "①式の両辺に1をたすと", {}},
    });
}

TEST(Executor, SimplifiesAndTransposes) {
    const std::string nothingToMove = "message: 移項する項はありません";
    checkRows({
        {"x-x=3", "y=1", {}, "①整理", "0 = 3", "①式を整理すると", {}},
        {"0x+y=2", "x=1", {}, "①整理", "1y = 2", "①式を整理すると", {}},
        {"2x+1=2x+1", "y=1", {}, "①整理", "2x 1 = 2x 1", "①式を整理すると", {}},
        {"2x+3-x=5+y-y", "y=1", {}, "①整理", "1x 3 = 5", "①式を整理すると", {}},
        {"1/2x+1/3x=5", "y=1", {}, "①整理", "5/6x = 5", "①式を整理すると", {}},
        {"y+2x+1|2=3", "x=1", {}, "①整理", "2x 1y 1/2 = 3", "①式を整理すると", {}},
        {"x+2y=5", "x=1", {}, "①移項", "1x 2y = 5", "①式を移項すると", {nothingToMove}},
        {"3=x", "y=1", {}, "①移項", "-1x = -3", "①式を移項すると", {}},
        {"2x+0=4", "y=1", {}, "①移項", "2x = 4", "①式を移項すると", {nothingToMove}},
        {"0=2", "x+y=1", {}, "①移項", "0 = 2", "①式を移項すると", {nothingToMove}},
        {"2x+3=x+5", "y=1", {}, "①移項", "2x -1x = -3 5", "①式を移項すると", {}},
        {"x+1|2=y", "y=1", {}, "①移項", "1x -1y = -1/2", "①式を移項すると", {}},
        {"2(x+1)=4", "y=1", {}, "①移項", "refused", "", {"message: かっこをはずしてください"}},
        {"2(x+1)=4", "y=1", {}, "①整理", "refused", "", {"message: かっこをはずしてください"}},
    });
}

TEST(Executor, RemovesBracketsOneLevelAtATime) {
    checkRows({
        {"3(x+1)=2y", "x=1", {}, "①かっこ", "3x 3 = 2y", "①式のかっこをはずすと", {}},
        {"-(x-y)=1/2", "x=1", {}, "①かっこ", "-1x 1y = 1/2", "①式のかっこをはずすと", {}},
        {"1/2(4x+2)=3", "y=1", {}, "①かっこ", "2x 1 = 3", "①式のかっこをはずすと", {}},
        {"2(x+1)=3(y-2)", "x=1", {}, "①かっこ", "2x 2 = 3y -6", "①式のかっこをはずすと", {}},
        {"2{3(x+1)+1}=4", "y=1", {}, "①かっこ", "2 { 3x 3 1 } = 4", "①式のかっこをはずすと", {}},
        {"2{3(x+1)+1}=4", "y=1", {"①かっこ"}, "③かっこ", "6x 6 2 = 4", "③式のかっこをはずすと", {}},
        {"(x+1)=2", "y=1", {}, "①かっこ", "1x 1 = 2", "①式のかっこをはずすと", {}},
        {"x+(y-1)=3", "x=1", {}, "①かっこ", "1x 1y -1 = 3", "①式のかっこをはずすと", {}},
        {"1|2(x+4)=y", "x=1", {}, "①かっこ", "1/2x 2 = 1y", "①式のかっこをはずすと", {}},
        {"x+y=3", "x=1", {}, "①かっこ", "refused", "", {"message: かっこがありません"}},
    });
}

TEST(Executor, Substitutes) {
    const std::string notSubstitutable = "message: ①式は代入できる形ではありません";
    checkRows({
        {"y=2x+1", "3x+2y=9", {}, "①代入②", "3x 2 ( 2x 1 ) = 9", "①式を②式に代入すると", {}},
        {"y=2x+1", "x+y=5", {}, "①代入②", "1x 2x 1 = 5", "①式を②式に代入すると", {}},
        {"y=2x+1", "x-y=1", {}, "①代入②", "1x -1 ( 2x 1 ) = 1", "①式を②式に代入すると", {}},
        {"x=3", "2x+3y=12", {}, "①代入②", "6 3y = 12", "①式を②式に代入すると", {}},
        {"x=2y", "x+y=6", {}, "①代入②", "2y 1y = 6", "①式を②式に代入すると", {}},
        {"x=0", "2x+y=3", {}, "①代入②", "1y = 3", "①式を②式に代入すると", {}},
        {"x=0", "3x=y+1", {}, "①代入②", "0 = 1y 1", "①式を②式に代入すると", {}},
        {"y=x+1", "2x-y=4", {"①代入②"}, "③かっこ", "2x -1x -1 = 4", "③式のかっこをはずすと", {}},
        {"y=x+1", "2x+3=5", {}, "①代入②", "2x 3 = 5", "①式を②式に代入すると", {}},
        {"2y=x+1", "x+y=3", {}, "①代入②", "refused", "", {notSubstitutable}},
        {"y=3-y", "x+y=3", {}, "①代入②", "refused", "", {notSubstitutable}},
        {"-y=3", "x+y=3", {}, "①代入②", "refused", "", {notSubstitutable}},
        {"x=3", "4y=8", {}, "①代入②", "refused", "", {"message: 代入する項がありあません", notSubstitutable}},
    });
}

TEST(Executor, GivesOriginsByOperation) {
    Drill drill;
    ASSERT_TRUE(drill.load("2x+y=7", "x-y=2"));
    EXPECT_EQ(drill.run("①×2"), "4x 2y = 14");
    EXPECT_EQ(drill.algebra.EquationTable[3].origin, 1);
    EXPECT_EQ(drill.run("③＋①"), "refused");
    EXPECT_EQ(drill.run("③－①"), "refused");
    EXPECT_EQ(drill.run("①整理"), "2x 1y = 7");
    EXPECT_EQ(drill.algebra.EquationTable[4].origin, 1); // one equation: its origin, however composed
    EXPECT_EQ(drill.run("④代入①"), "refused");
    EXPECT_EQ(drill.takeShown(), (Shown{"message: 同じ式から変形された式はたせません",
                                        "message: 同じ式から変形された式はひけません",
                                        "message: 同じ式から変形された式に代入できません"}));

    EXPECT_EQ(drill.run("①＋②"), "3x = 9");
    EXPECT_EQ(drill.algebra.EquationTable[5].origin, 3);
    EXPECT_EQ(drill.algebra.originCounter, 3);
    EXPECT_EQ(drill.run("⑤－①"), "1x -1y = 2");
    EXPECT_EQ(drill.algebra.EquationTable[6].origin, 4);
}

TEST(Executor, RefusesToCombineAnEquationWithADisguisedCopyOfItself) {
    Drill drill;
    ASSERT_TRUE(drill.load("2x+y=7", "x-y=2"));
    EXPECT_EQ(drill.run("①－②"), "1x 2y = 5"); // ③, origin 3
    EXPECT_EQ(drill.run("③＋②"), "2x 1y = 7"); // ④ is ① again, origin 4
    const int count = drill.algebra.equationCount;
    const int origins = drill.algebra.originCounter;
    EXPECT_EQ(drill.run("④－①"), "refused");
    EXPECT_EQ(drill.run("①－④"), "refused");
    EXPECT_EQ(drill.takeShown(), (Shown{"message: 同じ式から変形された式はひけません",
                                        "message: 同じ式から変形された式はひけません"}));
    EXPECT_EQ(drill.algebra.equationCount, count);
    EXPECT_EQ(drill.algebra.originCounter, origins);

    // The same step is right when the problem has infinitely many solutions.
    Drill dependent;
    ASSERT_TRUE(dependent.load("x+y=2", "2x+2y=4"));
    EXPECT_EQ(dependent.run("①×2"), "2x 2y = 4");
    EXPECT_EQ(dependent.run("③－②"), "0 = 0");
    EXPECT_EQ(judgeEquation(dependent.algebra, dependent.answers, 4), Verdict::Identity);
}

TEST(Executor, RefusesStepsTooLargeForTheTable) {
    Drill drill;
    ASSERT_TRUE(drill.load("30000x=1", "y=x"));
    EXPECT_EQ(drill.run("①×3000"), "90000000x = 3000");
    EXPECT_EQ(drill.run("③×3000"), "refused");
    EXPECT_EQ(drill.takeShown(), Shown{"message: 数が大きすぎて計算できません"});

    Drill longOne;
    ASSERT_TRUE(longOne.load("x=y+1+2+3+4+5+6+7+8+9+10", "2x+3x+4x+5x=y"));
    EXPECT_EQ(longOne.run("①代入②"), "refused");
    EXPECT_EQ(longOne.takeShown(), Shown{"message: 式が長すぎます"});
    EXPECT_EQ(longOne.algebra.equationCount, 2);
    EXPECT_EQ(longOne.algebra.originCounter, 2);
}

TEST(Executor, RefusesCommandsThatNameNoEquation) {
    checkRows({
        {"x+y=1", "x=1", {}, "⑤×2", "refused", "", {"message: 操作が誤りです。例①＋②，①÷２，④代入①"}},
        {"x+y=1", "x=1", {}, "①＋⑨", "refused", "", {"message: 操作が誤りです。例①＋②，①÷２，④代入①"}},
        {"x+y=1", "x=1", {}, "①", "refused", "", {"message: 操作が誤りです。例①＋②，①÷２，④代入①"}},
    });
}

TEST(Executor, ClearsTheOperandDisplayAndComposition) {
    Drill drill;
    ASSERT_TRUE(drill.load("x+y=1", "x-y=3"));
    drill.run("①×0");
    EXPECT_TRUE(drill.command.pnlNumber.empty());
    EXPECT_EQ(drill.command.operandText, "0");
    EXPECT_EQ(drill.command.composeStep, ComposeStep::Nothing);
    EXPECT_EQ(drill.command.firstEquation, 1); // kept on a refusal
    drill.run("①×2");
    EXPECT_EQ(drill.command.firstEquation, 0);
    EXPECT_EQ(drill.command.operandNumerator, 2);
    EXPECT_EQ(drill.algebra.equationCount, 3); // only the accepted step counts
}

TEST(Executor, NamesEquationsFromTwentyOneOnInParentheses) {
    Drill drill;
    ASSERT_TRUE(drill.load("x+y=1", "x-y=3"));
    for (int n = 3; n <= 21; ++n)
        ASSERT_NE(drill.run("①×1"), "refused");
    EXPECT_EQ(drill.run("(21)×2"), "2x 2y = 2");
    EXPECT_EQ(drill.sentence(22), "(21)式の両辺を2倍すると");
    EXPECT_EQ(drill.run("⑳＋(22)"), "refused"); // same origin, named by label
}

} // namespace
} // namespace tavolini
