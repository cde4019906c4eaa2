// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/Failure.h"
#include "files/FileDescriptor.h"

#include <QByteArray>
#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace cindral {

// The user's file as an operation holds it from its first read to its end: opened once (a
// symbolic link to it followed), locked against a second Cindral when it is to be rewritten, and
// the folder that holds it opened beside it. Every later step works through these two handles and
// never looks the name up again, so nobody can redirect a step by renaming the file or its folder
// or by swapping either for a link. What others may still do meanwhile, the checks before a
// replacement find.
class OpenedFile
{
public:
    enum class Purpose
    {
        Rewrite, // locked: only one Cindral rewrites a file at a time
        // Neither locked nor its access time changed where the system allows. Reading changes
        // nothing a writer relies on, so a reader neither waits for one nor turns one away; a
        // reader that must know its text was the file's whole asks isUnwritten at its end.
        Read,
    };

    // Throws Failure(FileError) for a missing file, a folder, a device or pipe, one that cannot be
    // opened, and, to be rewritten, one another Cindral is working on.
    explicit OpenedFile(const QByteArray& path, Purpose purpose = Purpose::Rewrite);

    [[nodiscard]] int fd() const { return m_file.get(); }
    [[nodiscard]] int folder() const { return m_folder.get(); }
    // The file's entry in its folder, and the path of both where the file was opened.
    [[nodiscard]] const QByteArray& name() const { return m_name; }
    [[nodiscard]] QByteArray foundPath() const;
    // What the file was when it was opened.
    [[nodiscard]] const struct stat& opened() const { return m_opened; }

    [[nodiscard]] bool isThisFile(const struct stat& info) const;
    // The name the user gave, the folder's path and the folder's entry still lead to this file.
    [[nodiscard]] bool isInPlace() const;
    // Size, modification and change time are still those the file had when it was opened.
    [[nodiscard]] bool isUnchanged() const;
    // Size and modification time are, which a rename of the file leaves as they were.
    [[nodiscard]] bool isUnwritten() const;
    // Throws Failure(FileError) unless the file is in place and unchanged.
    void checkUntouched() const;

    // Why the file cannot be written, as the Failure(FileError) writableHandle throws; none when
    // it can. A file whose owner may not write is read-only, also for root.
    [[nodiscard]] std::optional<Failure> whyUnwritable() const;
    // A handle of the file's own for writing, when it was opened to be rewritten and could be
    // opened for writing: the right to write was proved then. Otherwise throws whyUnwritable's
    // failure, or Failure(FileError) with the reason the system gave.
    [[nodiscard]] FileDescriptor writableHandle() const;

private:
    QByteArray m_path;       // as the user gave it
    QByteArray m_folderPath; // where the file lay when it was opened
    QByteArray m_name;
    FileDescriptor m_file;
    FileDescriptor m_folder;
    struct stat m_opened = {};
    int m_writeError = EBADF; // why the file is not open for writing; 0 when it is
};

} // namespace cindral
