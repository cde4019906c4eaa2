// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/FileDescriptor.h"

#include <QByteArray>

namespace cindral {

// A file being written in a folder, which nobody else can open: unnamed where the file system
// allows it, otherwise under a hidden name with no permission for anyone but its owner. Until
// replace() puts it in another file's place, it is abandoned with the object, so a failure
// part-way leaves nothing behind. Names are the file system's bytes: a name need not be UTF-8,
// which is why this does not use QSaveFile (it takes names as text).
class NewFile
{
public:
    // Throws Failure when the folder refuses a new file.
    explicit NewFile(const QByteArray& folder);
    ~NewFile();
    NewFile(NewFile&& other) noexcept;
    NewFile& operator=(NewFile&&) = delete;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    [[nodiscard]] int fd() const { return m_file.get(); }

    // Puts the file in the place of `path`, a file of the same folder, in one step: whoever
    // opens `path` finds the old file or the new one, never a mixture. Syncs the folder after.
    void replace(const QByteArray& path);

private:
    [[nodiscard]] QByteArray linkedName();

    QByteArray m_folder;
    QByteArray m_name; // empty while the file has no name
    FileDescriptor m_file;
};

} // namespace cindral
