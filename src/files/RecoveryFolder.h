// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/FileDescriptor.h"
#include "files/InterruptedSave.h"

#include <QByteArray>
#include <vector>

namespace cindral {

// A folder of the user's own for what a save leaves behind while it runs, so that a crash part-way
// can be finished or cleaned up by the next run: the whole new text of a file being overwritten
// in place, and the names a replacement puts beside a file. It is
// $XDG_STATE_HOME/cindral/recovery, by default ~/.local/state/cindral/recovery, and for a user with
// no home of their own that can hold it, /var/tmp/cindral-UID.
//
// Whatever the program finds there it acts on, so it is used only when it is the user's: owned by
// the effective user, written by nobody else, reached from the home folder without a symbolic
// link. A home or state folder named by the environment that belongs to someone else (root run
// with a user's HOME) counts for nothing: the home is then the user database's, and nothing is
// ever made in another user's home.
class RecoveryFolder
{
public:
    // The first of the user's folders that is, or can be made, the user's alone; the folders made
    // on the way are made for the owner alone and each synced into its parent. Throws
    // Failure(FileError) with the first folder's reason when none can.
    [[nodiscard]] static RecoveryFolder forSaving();

    // The user's folders that exist and are the user's; a folder that exists but fails the checks
    // is left alone, and told of in `refused`.
    [[nodiscard]] static std::vector<RecoveryFolder>
    existing(std::vector<InterruptedSave>& refused);

    [[nodiscard]] int fd() const { return m_folder.get(); }
    [[nodiscard]] const QByteArray& path() const { return m_path; }
    [[nodiscard]] QByteArray pathOf(const QByteArray& name) const { return m_path + '/' + name; }

private:
    RecoveryFolder(FileDescriptor folder, QByteArray path);

    [[nodiscard]] static RecoveryFolder findForSaving();
    [[nodiscard]] static bool stillLeadsTo(const RecoveryFolder& found);

    FileDescriptor m_folder;
    QByteArray m_path;
};

} // namespace cindral
