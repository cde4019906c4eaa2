// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/OpenedFile.h"

#include "files/FileFailure.h"
#include "files/FileIo.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace cindral {

using filefailure::fileError;
using filefailure::fromErrno;

namespace {

[[nodiscard]] QByteArray handlePath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// A folder, a device or a pipe is no text file; a pipe would also block the read forever.
// O_NOATIME is allowed only to the file's owner (and root): anyone else reads without it.
[[nodiscard]] FileDescriptor openForReading(const QByteArray& path, OpenedFile::Purpose purpose)
{
    constexpr int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    FileDescriptor file;
    if (purpose == OpenedFile::Purpose::Read)
        file = FileDescriptor(::open(path.constData(), flags | O_NOATIME));
    if (!file.isOpen())
        file = FileDescriptor(::open(path.constData(), flags));
    if (!file.isOpen())
        throw fromErrno(errno, "cannot open");
    if (!S_ISREG(fileio::statOf(file.get()).st_mode))
        throw fileError("not a regular file");
    return file;
}

// Held from the open to the end of the operation. Where the file system keeps no locks, the
// file is worked on without.
void lockAgainstAnotherCindral(int fd)
{
    if (fileio::retried([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) == 0)
        return;
    if (errno == EWOULDBLOCK)
        throw filefailure::inUse();
    if (errno != ENOLCK && errno != EOPNOTSUPP && errno != EBADF)
        throw fromErrno(errno, "cannot lock");
}

// Where the kernel found the file it opened, so the name is not looked up a second time.
[[nodiscard]] QByteArray whereOpened(int fd)
{
    QByteArray target(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t size = ::readlink(handlePath(fd).constData(), target.data(),
                                        static_cast<size_t>(target.size()));
        if (size < 0)
            throw fromErrno(errno, "cannot find the file's folder");
        if (size < target.size())
            return target.left(size);
        target.resize(target.size() * 2);
    }
}

[[nodiscard]] bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

[[nodiscard]] bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

OpenedFile::OpenedFile(const QByteArray& path, Purpose purpose)
    : m_path(path), m_file(openForReading(path, purpose))
{
    if (purpose == Purpose::Rewrite)
        lockAgainstAnotherCindral(m_file.get());
    m_opened = fileio::statOf(m_file.get());
    const QByteArray found = whereOpened(m_file.get());
    const qsizetype slash = found.lastIndexOf('/');
    m_folderPath = found.left(std::max<qsizetype>(slash, 1));
    m_name = found.sliced(slash + 1);
    m_folder = FileDescriptor(::open(m_folderPath.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!m_folder.isOpen())
        throw fromErrno(errno, "cannot open the file's folder");
    if (!isInPlace())
        throw filefailure::replaced();
}

QByteArray OpenedFile::foundPath() const
{
    return m_folderPath.endsWith('/') ? m_folderPath + m_name : m_folderPath + '/' + m_name;
}

bool OpenedFile::isThisFile(const struct stat& info) const
{
    return sameFile(info, m_opened);
}

bool OpenedFile::isInPlace() const
{
    struct stat named = {};
    struct stat folderNamed = {};
    struct stat folder = {};
    struct stat entry = {};
    return ::stat(m_path.constData(), &named) == 0 && isThisFile(named) &&
           ::stat(m_folderPath.constData(), &folderNamed) == 0 &&
           ::fstat(m_folder.get(), &folder) == 0 && sameFile(folderNamed, folder) &&
           ::fstatat(m_folder.get(), m_name.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0 &&
           isThisFile(entry);
}

bool OpenedFile::isUnchanged() const
{
    struct stat now = {};
    return ::fstat(m_file.get(), &now) == 0 && now.st_size == m_opened.st_size &&
           sameTime(now.st_mtim, m_opened.st_mtim) && sameTime(now.st_ctim, m_opened.st_ctim);
}

bool OpenedFile::isUnwritten() const
{
    struct stat now = {};
    return ::fstat(m_file.get(), &now) == 0 && now.st_size == m_opened.st_size &&
           sameTime(now.st_mtim, m_opened.st_mtim);
}

void OpenedFile::checkUntouched() const
{
    if (!isInPlace())
        throw filefailure::replaced();
    if (!isUnchanged())
        throw filefailure::changed();
}

FileDescriptor OpenedFile::reopenForWriting() const
{
    FileDescriptor writable(
        ::open(handlePath(m_file.get()).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!writable.isOpen())
        throw fromErrno(errno, "cannot open");
    return writable;
}

} // namespace cindral
