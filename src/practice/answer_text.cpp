// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "practice/answer_text.h"

namespace tavolini {

std::string unknownValueText(const UnknownValue& value) {
    std::string text = std::string(1, value.letter) + "=" + std::to_string(value.num);
    if (value.den != 1) text += "/" + std::to_string(value.den);
    return text;
}

std::string answerText(const Answers& answers) {
    switch (answers.special) {
    case SpecialAnswer::InfinitelyMany:
        return "many";
    case SpecialAnswer::NoSolution:
        return "none";
    case SpecialAnswer::None:
        break;
    }
    if (!isSolved(answers)) return "";
    return unknownValueText(*answers.answer1) + " " + unknownValueText(*answers.answer2);
}

} // namespace tavolini
