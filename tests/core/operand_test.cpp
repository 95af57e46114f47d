// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/cp932.h"
#include "core/operand.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace tavolini {
namespace {

struct Row {
    const char* text; // UTF-8 here; the program's operand texts are code page 932
    ShikiToken value;
    const char* message; // what the user is shown, or nullptr
};

TEST(Operand, ReadsIntegersDecimalsAndFractions) {
    const Row rows[] = {
        {"", TokenZero, nullptr},
        {"3", makeToken(3, 1, '/'), nullptr},
        {"-12", makeToken(-12, 1, '/'), nullptr},
        {"1234", makeToken(1234, 1, '/'), nullptr},
        {"0", makeToken(0, 1, '/'), nullptr},
        {"3分の2", makeToken(2, 3, '/'), nullptr},
        {"-3分の2", makeToken(-2, 3, '/'), nullptr},
        {"4分の2", makeToken(2, 4, '/'), nullptr}, // a fraction is taken as typed
        {"9999分の9999", makeToken(9999, 9999, '/'), nullptr},
        {".5", makeToken(1, 2, '/'), nullptr},
        {"5.", makeToken(5, 1, '/'), nullptr},
        {"-0.25", makeToken(-1, 4, '/'), nullptr},
        {"-.5", makeToken(-1, 2, '/'), nullptr},
        {"-1234", makeToken(-1234, 1, '/'), nullptr},
        {"-0", makeToken(0, 1, '/'), nullptr},
        {"1234.56", makeToken(30864, 25, '/'), nullptr},
        {"999999.", makeToken(999999, 1, '/'), nullptr},
    };
    for (const Row& row : rows) {
        Messages messages;
        EXPECT_EQ(parseOperand(messages, cp932(row.text)), row.value) << row.text;
        EXPECT_TRUE(messages.empty()) << row.text;
    }
}

TEST(Operand, RefusesWhatCannotBeReadWithAMessage) {
    const Row rows[] = {
        {"-", InvalidOperand, "数を入れてください"},
        {".", InvalidOperand, "数を入れてください"},
        {"12345", InvalidOperand, "12345 ←数値は４桁以下にしてください"},
        {"-12345", InvalidOperand, "-12345 ←数値は４桁以下にしてください"},
        {"3分の", InvalidOperand, "3分の ←分数の表現があやまりです"},
        {"分の2", InvalidOperand, "分の2 ←分数の表現があやまりです"},
        {"0分の5", InvalidOperand, "分母が０です"},
        {"12345分の1", InvalidOperand, "12345分の1 ←数値は４桁以下にしてください"},
        {"1分の12345", InvalidOperand, "1分の12345 ←数値は４桁以下にしてください"},
        {"12345.67", InvalidOperand, "12345.67 ←小数の長さが長すぎます"},
        // Mixed forms and stray characters.
        {"1.5分の2", InvalidOperand, "1.5分の2 ←数値の表現があやまりです"},
        {"3分の2.5", InvalidOperand, "3分の2.5 ←数値の表現があやまりです"},
        {"1.2.3", InvalidOperand, "1.2.3 ←数値の表現があやまりです"},
        {"3分の2分の1", InvalidOperand, "3分の2分の1 ←数値の表現があやまりです"},
        {"1分の分の", InvalidOperand, "1分の分の ←数値の表現があやまりです"},
        {"分の分の", InvalidOperand, "分の分の ←数値の表現があやまりです"},
        {"分の", InvalidOperand, "分の ←分数の表現があやまりです"},
        {"0000分の1", InvalidOperand, "分母が０です"},
        {"--3", InvalidOperand, "--3 ←数値の表現があやまりです"},
        {"3-", InvalidOperand, "3- ←数値の表現があやまりです"},
        {"x", InvalidOperand, "x ←数値の表現があやまりです"},
    };
    for (const Row& row : rows) {
        Messages messages;
        EXPECT_EQ(parseOperand(messages, cp932(row.text)), row.value) << row.text;
        EXPECT_EQ(shownText(messages), std::vector<std::string>{std::string("message: ") + row.message})
            << row.text;
    }
}

} // namespace
} // namespace tavolini
