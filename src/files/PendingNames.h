// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/InterruptedSave.h"
#include "files/NamesSlot.h"
#include "files/NewFile.h"
#include "files/RecoveryFolder.h"

#include <QByteArray>
#include <optional>
#include <sys/stat.h>

namespace cindral {

class OpenedFile;

// The names a replacement puts beside the user's file for a moment: the new file's, before it
// takes the file's place, and, where two names cannot be exchanged, the old file's while it is
// moved aside. A crash in that moment would leave them behind, the new text or the old one under
// a hidden name (for Encrypt, the plain text beside its encryption), so they are recorded in the
// recovery folder before either exists and the next run clears away what is left. The record
// goes with the object, by when the names are gone.
class PendingNames
{
public:
    // Picks the names beside `file`; nothing is recorded yet. Throws Failure when no recovery
    // folder can be had.
    explicit PendingNames(const OpenedFile& file);
    ~PendingNames();
    PendingNames(const PendingNames&) = delete;
    PendingNames& operator=(const PendingNames&) = delete;

    [[nodiscard]] const QByteArray& newName() const { return m_newName; }
    [[nodiscard]] const QByteArray& asideName() const { return m_asideName; }

    // Writes the record, with the new file's inode number (0: not known yet), durable or to be
    // made so: it gives the record's handle when it is still to be flushed, else -1. Throws
    // Failure.
    [[nodiscard]] int record(ino_t newInode);

    // What a crash left of the replacement recorded as `name` in `folder`, open as `record`: the
    // old file goes back under its name unless the replacement had been made, the names listed
    // are removed, and so is the record. Gives what had to be left as it was, with why.
    [[nodiscard]] static std::optional<InterruptedSave>
    clearAway(const RecoveryFolder& folder, const QByteArray& name, int record);

private:
    RecoveryFolder m_folder;
    QByteArray m_id;
    QByteArray m_newName;
    QByteArray m_asideName;
    QByteArray m_folderPath;
    struct stat m_folderInfo = {};
    QByteArray m_fileName;
    struct stat m_fileInfo = {};
    std::optional<NewFile> m_record;
};

} // namespace cindral
