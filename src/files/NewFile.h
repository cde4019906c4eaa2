// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/FileDescriptor.h"

#include <QByteArray>
#include <functional>
#include <sys/types.h>

namespace cindral {

class OpenedFile;

// A file being written in a folder, which nobody else can open: unnamed where the file system
// allows it, otherwise under the name it is given, with no permission for anyone but its owner.
// Until it is put in place or kept, it is abandoned with the object, so a failure part-way
// leaves nothing behind. Names are the file system's bytes, relative to the folder's handle: a
// name need not be UTF-8, which is why this does not use QSaveFile.
class NewFile
{
public:
    // Runs right before the file first gets a name in its folder, with its inode number (0 when
    // the file is to be made under its name, and so has none yet). It gives a file it wrote that
    // must be durable, with the new file, before the name is (-1 for none): both are flushed
    // together.
    using BeforeNaming = std::function<int(ino_t)>;

    // In the folder open as `folder`; `name` is the only name it takes before it is put in place.
    // Throws Failure when the folder refuses a new file.
    NewFile(int folder, QByteArray name, const BeforeNaming& beforeNaming = {});
    ~NewFile();
    NewFile(NewFile&& other) noexcept;
    NewFile& operator=(NewFile&&) = delete;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    [[nodiscard]] int fd() const { return m_file.get(); }
    [[nodiscard]] int folder() const { return m_folder.get(); }

    // Puts the file in the place of `original`, a file of the same folder, and syncs the folder.
    // Only the very file that was read is replaced, and only when it is unchanged; otherwise
    // Failure(FileError) and everything as it was. Where the file system can exchange two names,
    // whoever opens the name finds the old file or the new one, never a mixture. Where it cannot,
    // the old file is first moved aside to `asideName`, checked there and then removed: for a
    // moment the name is missing, but nothing anyone else put under it is ever replaced.
    void replace(const OpenedFile& original, const QByteArray& asideName);

    // Gives the file the name `name` for good, without a name of its own before where it had
    // none: it outlives the object. Syncs the folder. Throws Failure.
    void keepAs(const QByteArray& name);

private:
    void linkName(const QByteArray& name);
    void settleExchange(const OpenedFile& original);
    void replaceWithoutExchange(const OpenedFile& original, const QByteArray& aside);

    FileDescriptor m_folder;
    QByteArray m_name;
    bool m_named = false;
    BeforeNaming m_beforeNaming;
    FileDescriptor m_file;
};

} // namespace cindral
