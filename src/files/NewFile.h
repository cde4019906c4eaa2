// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/FileDescriptor.h"

#include <QByteArray>

namespace cindral {

class OpenedFile;

// A file being written in a folder, which nobody else can open: unnamed where the file system
// allows it, otherwise under a hidden name with no permission for anyone but its owner. Until
// replace() puts it in another file's place, it is abandoned with the object, so a failure
// part-way leaves nothing behind. Names are the file system's bytes, relative to the folder's
// handle: a name need not be UTF-8, which is why this does not use QSaveFile.
class NewFile
{
public:
    // In the folder open as `folder`. Throws Failure when the folder refuses a new file.
    explicit NewFile(int folder);
    ~NewFile();
    NewFile(NewFile&& other) noexcept;
    NewFile& operator=(NewFile&&) = delete;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    [[nodiscard]] int fd() const { return m_file.get(); }
    [[nodiscard]] int folder() const { return m_folder.get(); }

    // Puts the file in the place of `original`, a file of the same folder, in one step: whoever
    // opens its name finds the old file or the new one, never a mixture. Only the very file that
    // was read is replaced, and only when it is unchanged; otherwise Failure(FileError) and
    // everything as it was. Syncs the folder after.
    void replace(const OpenedFile& original);

    // Gives the file `name` in its folder for good: it outlives the object. Syncs the folder.
    void keepAs(const QByteArray& name);
    // Makes the folder's entries durable; a folder that cannot be synced is no failure.
    void syncFolder() const;

private:
    [[nodiscard]] QByteArray linkedName();
    void settleExchange(const OpenedFile& original);
    void renameChecked(const OpenedFile& original);

    FileDescriptor m_folder;
    QByteArray m_name; // empty while the file has no name
    FileDescriptor m_file;
};

} // namespace cindral
