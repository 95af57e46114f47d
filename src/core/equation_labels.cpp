// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "core/equation_labels.h"

#include "core/cp932.h"

namespace tavolini {
namespace {

std::array<std::string, EquationLabelCount> makeLabels() {
    std::array<std::string, EquationLabelCount> labels;
    labels[0] = "0";
    const std::string circled = cp932("①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳");
    for (std::size_t n = 1; n <= 20; ++n)
        labels[n] = circled.substr((n - 1) * 2, 2);
    for (std::size_t n = 21; n < labels.size(); ++n)
        labels[n] = "(" + std::to_string(n) + ")";
    return labels;
}

} // namespace

const std::array<std::string, EquationLabelCount>& EquationLabels() {
    static const std::array<std::string, EquationLabelCount> labels = makeLabels();
    return labels;
}

} // namespace tavolini
