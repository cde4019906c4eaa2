// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace cindral {

// An overwrite in place that a crash interrupted, as the next run found it.
struct InterruptedSave
{
    QByteArray file;   // the path the file was found at
    QByteArray keptIn; // empty once finished; else where the new text is kept for the user
    QString reason;    // why it could not be finished
};

// Finishes every overwrite in place whose recovery copy a crash left in the recovery folder:
// a file that is still the one the copy is for (same device and inode) and does not yet hold
// its new text gets it. A copy whose file is gone or is now another file, or that is damaged,
// is kept for the user once, without its record, so it is not reported again. A copy that
// another program is working on (a save still running, or another program finishing it) is left
// to that program. Run by each program at its start, before anything else.
[[nodiscard]] std::vector<InterruptedSave> finishInterruptedSaves();

// "FILE: finished an interrupted save", or why it could not be and where the new text is kept.
[[nodiscard]] QByteArray lineOf(const InterruptedSave& save);

} // namespace cindral
