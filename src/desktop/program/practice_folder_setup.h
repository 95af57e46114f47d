// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#pragma once

namespace tavolini {

class Dialogs;

// Makes the practice folder ready, seeded once with the shipped set found from
// the program's folder, sweeps it of stale temporaries and works in it. False
// after a message naming what is wrong: the program does not start then, as
// the folder it was started in may hold anything.
bool enterPracticeFolder(Dialogs& dialogs);

} // namespace tavolini
