// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/InterruptedSave.h"

#include <vector>

namespace cindral {

// Finishes every overwrite in place whose recovery copy a crash left, and clears away the names
// a crash left beside a replaced file, before anything else: run by each program at its start.
//
// Only the user's own folders and records are acted on (see RecoveryFolder). A copy is written
// into a regular file that is still the file it was made for, and only when what the file holds
// is this save's own overwrite cut short: the new text over part of the old (see
// OverwriteBlocks). A file that still holds its old text was never touched; anything else is left
// as it is, and the copy kept for the user under a name that says whose it is. Of two copies for
// one file, the later save is judged first and the earlier never written over it. A record that
// cannot be read is set aside, so it is told of once. What another Cindral is working on is left
// to it.
[[nodiscard]] std::vector<InterruptedSave> finishInterruptedSaves();

} // namespace cindral
