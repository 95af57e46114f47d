// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

#include "server/class_overview.h"

#include <string>
#include <vector>

namespace tavolini::server {

enum class CsvEncoding { Utf8, Cp932 };

// The overview as a spreadsheet program opens it: UTF-8 with a byte order
// mark, or code page 932 ('?' for what it cannot hold); CR LF line ends,
// fields quoted as RFC 4180 has it. A row per pupil: 出席番号, 名前, then per
// unit the count of each problem and the unit's last date (YYYY-MM-DD, local
// time).
std::string overviewCsv(const std::vector<SetUnit>& units, const std::vector<PupilProgress>& pupils,
                        CsvEncoding encoding);

} // namespace tavolini::server
