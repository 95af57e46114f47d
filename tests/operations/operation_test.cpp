// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "operations/operation.h"
#include "support/drill.h"

#include <gtest/gtest.h>
#include <set>

namespace tavolini {
namespace {

TEST(OperationTable, RowsAreConsistent) {
    std::set<char> codes;
    std::set<std::string> names, labels;
    std::set<Glyph> glyphs;
    for (std::size_t i = 0; i < Operations.size(); ++i) {
        const OperationRow& row = Operations[i];
        SCOPED_TRACE(row.label);
        EXPECT_EQ(&operationRow(row.operation), &row);
        EXPECT_TRUE(codes.insert(row.code).second);
        EXPECT_NE(row.code, '?'); // the stored "no operation"
        EXPECT_TRUE(names.insert(row.buttonName).second);
        EXPECT_TRUE(labels.insert(row.label).second);
        if (row.glyph != Glyph::None) {
            EXPECT_TRUE(glyphs.insert(row.glyph).second);
        }
        EXPECT_FALSE(row.keys.empty());
        for (const char key : row.keys)
            EXPECT_EQ(operationForKey(key), &row) << key;
        // What it takes decides which sentences and messages it needs.
        EXPECT_EQ(row.sentence != nullptr, row.takesNumber || !row.takesEquation);
        EXPECT_EQ(row.twoEquationSentence != nullptr, row.takesEquation);
        EXPECT_EQ(row.sameOriginMessage != nullptr, row.takesEquation);
    }
    for (const char key : {'3', 'x', 'B', '.', 'T', '?'})
        EXPECT_EQ(operationForKey(key), nullptr) << key;
}

// Every operation reaches its own step and writes its own sentence.
TEST(OperationTable, EveryOperationIsCarriedOut) {
    struct Row {
        Operation operation;
        const char* first;
        const char* second;
        const char* command;
        const char* sentence;
    };
    using enum Operation;
    const Row rows[] = {
        {Multiply, "x+y=3", "x-y=1", "①×3", "①式の両辺を3倍すると"},
        {Divide, "2x=4", "y=1", "①÷2", "①式の両辺を2で割ると"},
        {Add, "x+y=3", "x-y=1", "①＋②", "①式と②式をたすと"},
        {Add, "x=1", "y=1", "①＋3", "①式の両辺に3をたすと"},
        {Subtract, "x+y=3", "x-y=1", "①－②", "①式から②式をひくと"},
        {Subtract, "x=1", "y=1", "①－2分の1", "①式の両辺から2分の1をひくと"},
        {Substitute, "x=1", "x+y=3", "①代入②", "①式を②式に代入すると"},
        {Transpose, "x+1=3", "y=1", "①移項", "①式を移項すると"},
        {Simplify, "x+x=4", "y=1", "①整理", "①式を整理すると"},
        {Brackets, "2(x+1)=4", "y=1", "①かっこ", "①式のかっこをはずすと"},
    };
    std::set<Operation> tried;
    for (const Row& row : rows) {
        Drill drill;
        SCOPED_TRACE(row.command);
        ASSERT_TRUE(drill.load(row.first, row.second));
        EXPECT_NE(drill.run(row.command), "refused");
        EXPECT_TRUE(drill.takeShown().empty());
        EXPECT_EQ(drill.sentence(3), row.sentence);
        EXPECT_EQ(drill.command.operation, row.operation);
        tried.insert(row.operation);
    }
    EXPECT_EQ(tried.size(), Operations.size()) << "an operation without a row here";
}

// The pattern is filled while it is UTF-8: in code page 932 "ボ" ends in the
// byte of '{'.
TEST(StepSentence, FillsEachPlaceholderOnce) {
    const SentenceWords words{cp932("①式"), cp932("②式"), cp932("2分の1"), "7"};
    struct Row {
        const char* pattern;
        std::string sentence;
    };
    const Row rows[] = {
        {"{1}と{2}", cp932("①式と②式")},
        {"ボ{n}ボ{v}", cp932("ボ2分の1ボ7")},
        {"{1}", cp932("①式")},
        {"ボ", cp932("ボ")},
    };
    for (const Row& row : rows)
        EXPECT_EQ(stepSentence(row.pattern, words), row.sentence) << row.pattern;
}

} // namespace
} // namespace tavolini
