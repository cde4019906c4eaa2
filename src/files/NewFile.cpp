// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/NewFile.h"

#include "files/FileFailure.h"
#include "files/FileIo.h"
#include "files/FlushGroup.h"
#include "files/OpenedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <utility>

namespace cindral {

using filefailure::fromErrno;

namespace {

constexpr mode_t fileOfTheOwner = 0600;

[[nodiscard]] bool exchange(int folder, const QByteArray& name, const QByteArray& other)
{
    return ::renameat2(folder, name.constData(), folder, other.constData(), RENAME_EXCHANGE) == 0;
}

// Renames `from` to `to` only where nothing lies under `to`. On a file system that can neither
// refuse to replace in the rename nor make a second name, a file put under `to` in the moment
// since the caller looked would be replaced.
[[nodiscard]] bool renameWithoutReplacing(int folder, const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(folder, from.constData(), folder, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::linkat(folder, from.constData(), folder, to.constData(), 0) == 0) {
        (void)::unlinkat(folder, from.constData(), 0);
        return true;
    }
    if (errno == EEXIST)
        return false;
    return ::renameat(folder, from.constData(), folder, to.constData()) == 0;
}

// Flushes `fd` (none for -1), and `with` too when given, in one go.
[[nodiscard]] bool flushAlong(int fd, int with = -1)
{
    using Target = FlushGroup::Target;
    if (fd < 0)
        return with < 0 || FlushGroup::flush(with, Target::File);
    return with < 0 ? FlushGroup::flush(fd, Target::File)
                    : FlushGroup::flush({{fd, Target::File}, {with, Target::File}});
}

void syncFolder(int folder)
{
    if (!fileio::syncFolder(folder))
        throw fromErrno(errno, "cannot flush the folder");
}

} // namespace

NewFile::NewFile(int folder, QByteArray name, const BeforeNaming& beforeNaming)
    : m_folder(::fcntl(folder, F_DUPFD_CLOEXEC, 0)), m_name(std::move(name)),
      m_beforeNaming(beforeNaming)
{
    if (!m_folder.isOpen())
        throw fromErrno(errno, "cannot create a new file");
    m_file = FileDescriptor(
        ::openat(m_folder.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, fileOfTheOwner));
    if (m_file.isOpen())
        return;
    if (errno != EOPNOTSUPP && errno != EISDIR)
        throw fromErrno(errno, "cannot create a new file");
    // A file system without unnamed files: the file has its name from the start.
    if (m_beforeNaming && !flushAlong(m_beforeNaming(0)))
        throw fromErrno(errno, "cannot flush");
    m_file = FileDescriptor(::openat(m_folder.get(), m_name.constData(),
                                     O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, fileOfTheOwner));
    if (!m_file.isOpen())
        throw fromErrno(errno, "cannot create a new file");
    m_named = true;
}

NewFile::NewFile(NewFile&& other) noexcept
    : m_folder(std::move(other.m_folder)), m_name(std::move(other.m_name)),
      m_named(std::exchange(other.m_named, false)), m_beforeNaming(std::move(other.m_beforeNaming)),
      m_file(std::move(other.m_file))
{}

NewFile::~NewFile()
{
    if (m_named)
        (void)::unlinkat(m_folder.get(), m_name.constData(), 0);
}

// An unnamed file is linked to a name only once it is whole, through the system's handle of it.
void NewFile::linkName(const QByteArray& name)
{
    const int alongside =
        !m_named && m_beforeNaming ? m_beforeNaming(fileio::statOf(m_file.get()).st_ino) : -1;
    if (!flushAlong(alongside, m_file.get()))
        throw fromErrno(errno, "cannot flush");
    if (m_named)
        return;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_file.get());
    if (::linkat(AT_FDCWD, self.constData(), m_folder.get(), name.constData(), AT_SYMLINK_FOLLOW) !=
        0)
        throw fromErrno(errno, "cannot name the new file");
    m_name = name;
    m_named = true;
}

void NewFile::replace(const OpenedFile& original, const QByteArray& asideName)
{
    linkName(m_name);
    original.checkUntouched();
    if (exchange(m_folder.get(), m_name, original.name()))
        settleExchange(original);
    else if (errno == EINVAL || errno == ENOSYS)
        replaceWithoutExchange(original, asideName);
    else
        throw fromErrno(errno, "cannot replace");
    syncFolder(m_folder.get());
}

void NewFile::keepAs(const QByteArray& name)
{
    const bool hadName = m_named;
    linkName(name);
    if (hadName &&
        ::renameat(m_folder.get(), m_name.constData(), m_folder.get(), name.constData()) != 0)
        throw fromErrno(errno, "cannot name the new file");
    m_named = false;
    syncFolder(m_folder.get());
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
        m_named = false;
        return;
    }
    // Should even the way back be blocked, nothing is removed: no one's file is lost.
    if (!exchange(m_folder.get(), m_name, original.name()))
        m_named = false;
    throw tookOriginal ? filefailure::changed() : filefailure::replaced();
}

// A file system that cannot exchange two names. The file is moved aside first, so that whatever
// is found there is what gets checked: a file someone put under the name in the meantime is put
// back, never replaced.
void NewFile::replaceWithoutExchange(const OpenedFile& original, const QByteArray& aside)
{
    const int folder = m_folder.get();
    if (!renameWithoutReplacing(folder, original.name(), aside))
        throw fromErrno(errno, "cannot replace");
    struct stat moved = {};
    const bool movedOriginal =
        ::fstatat(folder, aside.constData(), &moved, AT_SYMLINK_NOFOLLOW) == 0 &&
        original.isThisFile(moved);
    if (!movedOriginal || !original.isUnwritten()) {
        (void)renameWithoutReplacing(folder, aside, original.name());
        throw movedOriginal ? filefailure::changed() : filefailure::replaced();
    }
    // Someone who made a file of the name meanwhile has the newer text: the old one goes.
    const bool placed = renameWithoutReplacing(folder, m_name, original.name());
    (void)::unlinkat(folder, aside.constData(), 0);
    if (!placed)
        throw filefailure::replaced();
    m_named = false;
}

} // namespace cindral
