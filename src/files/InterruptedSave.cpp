// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/InterruptedSave.h"

namespace cindral {

QByteArray lineOf(const InterruptedSave& save)
{
    switch (save.outcome) {
    case InterruptedSave::Outcome::Finished:
        return save.subject + ": finished an interrupted save\n";
    case InterruptedSave::Outcome::Dropped:
        return save.subject + ": an interrupted save is dropped: the file holds its old text\n";
    case InterruptedSave::Outcome::Kept:
        return save.subject +
               ": an interrupted save could not be finished: " + save.reason.toLocal8Bit() +
               "; the new text is kept in " + save.keptIn + '\n';
    case InterruptedSave::Outcome::LeftAlone:
        return save.subject + ": left alone: " + save.reason.toLocal8Bit() + '\n';
    }
    return {};
}

} // namespace cindral
