// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/NewFile.h"

#include "files/FileFailure.h"
#include "files/OpenedFile.h"

#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <utility>

namespace cindral {

using filefailure::fromErrno;

namespace {

constexpr mode_t ownerOnly = 0600;

[[nodiscard]] QByteArray hiddenName()
{
    return ".cindral-" + QByteArray::number(QRandomGenerator::system()->generate(), 36);
}

[[nodiscard]] bool exchange(int folder, const QByteArray& name, const QByteArray& other)
{
    return ::renameat2(folder, name.constData(), folder, other.constData(), RENAME_EXCHANGE) == 0;
}

} // namespace

NewFile::NewFile(int folder) : m_folder(::fcntl(folder, F_DUPFD_CLOEXEC, 0))
{
    if (!m_folder.isOpen())
        throw fromErrno(errno, "cannot create a new file");
    m_file =
        FileDescriptor(::openat(m_folder.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, ownerOnly));
    if (m_file.isOpen())
        return;
    if (errno != EOPNOTSUPP && errno != EISDIR)
        throw fromErrno(errno, "cannot create a new file");
    // A file system without unnamed files: a hidden name nobody else may open.
    for (;;) {
        const QByteArray name = hiddenName();
        m_file = FileDescriptor(::openat(m_folder.get(), name.constData(),
                                         O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, ownerOnly));
        if (m_file.isOpen()) {
            m_name = name;
            return;
        }
        if (errno != EEXIST)
            throw fromErrno(errno, "cannot create a new file");
    }
}

NewFile::NewFile(NewFile&& other) noexcept
    : m_folder(std::move(other.m_folder)), m_name(std::exchange(other.m_name, {})),
      m_file(std::move(other.m_file))
{}

NewFile::~NewFile()
{
    if (!m_name.isEmpty())
        (void)::unlinkat(m_folder.get(), m_name.constData(), 0);
}

// An unnamed file can only be put in place through a name of its own first.
QByteArray NewFile::linkedName()
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_file.get());
    for (;;) {
        QByteArray name = hiddenName();
        if (::linkat(AT_FDCWD, self.constData(), m_folder.get(), name.constData(),
                     AT_SYMLINK_FOLLOW) == 0)
            return name;
        if (errno != EEXIST)
            throw fromErrno(errno, "cannot name the new file");
    }
}

void NewFile::replace(const OpenedFile& original)
{
    if (::fsync(m_file.get()) != 0)
        throw fromErrno(errno, "cannot flush");
    if (m_name.isEmpty())
        m_name = linkedName();
    original.checkUntouched();
    if (exchange(m_folder.get(), m_name, original.name()))
        settleExchange(original);
    else if (errno == EINVAL || errno == ENOSYS)
        renameChecked(original);
    else
        throw fromErrno(errno, "cannot replace");
    syncFolder();
}

void NewFile::keepAs(const QByteArray& name)
{
    if (::fsync(m_file.get()) != 0)
        throw fromErrno(errno, "cannot flush");
    if (m_name.isEmpty())
        m_name = linkedName();
    if (::renameat(m_folder.get(), m_name.constData(), m_folder.get(), name.constData()) != 0)
        throw fromErrno(errno, "cannot name the new file");
    m_name.clear();
    syncFolder();
}

// The exchange took whatever lay under the name out of its place. Only the file that was read,
// unwritten, may go; anything else someone put there in the meantime is put back. (The exchange
// itself has moved the file's change time.)
void NewFile::settleExchange(const OpenedFile& original)
{
    struct stat taken = {};
    const bool tookOriginal =
        ::fstatat(m_folder.get(), m_name.constData(), &taken, AT_SYMLINK_NOFOLLOW) == 0 &&
        original.isThisFile(taken);
    if (tookOriginal && original.isUnwritten()) {
        (void)::unlinkat(m_folder.get(), m_name.constData(), 0);
        m_name.clear();
        return;
    }
    // Should even the way back be blocked, nothing is removed: no one's file is lost.
    if (!exchange(m_folder.get(), m_name, original.name()))
        m_name.clear();
    throw tookOriginal ? filefailure::changed() : filefailure::replaced();
}

// A file system that cannot exchange two names. The file is checked once more right before the
// rename; a file put under its name in the short time between the two would be replaced.
void NewFile::renameChecked(const OpenedFile& original)
{
    original.checkUntouched();
    if (::renameat(m_folder.get(), m_name.constData(), m_folder.get(),
                   original.name().constData()) != 0)
        throw fromErrno(errno, "cannot replace");
    m_name.clear();
}

// Once the new name is in place, the folder entry itself is made durable; the content is
// already safe, so a folder that cannot be synced is no failure.
void NewFile::syncFolder() const
{
    const FileDescriptor folder(::openat(m_folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.isOpen())
        (void)::fsync(folder.get());
}

} // namespace cindral
