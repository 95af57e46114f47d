// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

namespace tavolini {

class DriverDialogs;
class TfrmPrintS;

// The print dialog worked by the scenario's replies while it is open:
// "margin N", "size N", "start", "all", "close". It prints into PDF files.
void drivePrintDialog(TfrmPrintS& dialog, DriverDialogs& replies);

} // namespace tavolini
