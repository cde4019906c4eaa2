// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace cindral {

// What the next run made of what a crash left in the user's recovery folders.
struct InterruptedSave
{
    enum class Outcome
    {
        Finished,  // the file has its new text
        Dropped,   // the overwrite had not begun: the file holds its old text
        Kept,      // not finished: the new text is kept for the user
        LeftAlone, // not the user's, or not what a save leaves: not acted on
    };

    Outcome outcome;
    QByteArray subject; // the file; for what was left alone, what it is
    QString reason;     // why it was kept or left alone
    QByteArray keptIn{};
};

// "FILE: finished an interrupted save", or what became of it and why, one line.
[[nodiscard]] QByteArray lineOf(const InterruptedSave& save);

} // namespace cindral
