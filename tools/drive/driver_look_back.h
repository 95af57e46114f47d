// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

namespace tavolini {

class DriverDialogs;
class TfrmDump;
class TfrmKiroku;

// The record viewer worked by the scenario's replies while it is open:
// "delete" (then "erase N" and "close" in the deletion dialog) and "close".
void driveRecordViewer(TfrmKiroku& viewer, DriverDialogs& replies);

// The stack view's lines, printed; it closes at once.
void printStackView(TfrmDump& stack);

} // namespace tavolini
