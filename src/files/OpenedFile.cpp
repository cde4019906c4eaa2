// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/OpenedFile.h"

#include "files/FileFailure.h"
#include "files/FileIo.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace cindral {

using filefailure::fileError;
using filefailure::fromErrno;
using fileio::sameTime;

namespace {

[[nodiscard]] QByteArray handlePath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// The file is found once, as a handle that opens nothing yet: a folder, a device or a pipe is no
// text file, and opening a pipe or a device for real could block or have effects of its own.
[[nodiscard]] FileDescriptor findRegularFile(const QByteArray& path)
{
    FileDescriptor found(::open(path.constData(), O_PATH | O_CLOEXEC));
    if (!found.isOpen())
        throw fromErrno(errno, "cannot open");
    if (!S_ISREG(fileio::statOf(found.get()).st_mode))
        throw fileError("not a regular file");
    return found;
}

[[nodiscard]] int reopen(const FileDescriptor& found, int flags)
{
    return ::open(handlePath(found.get()).constData(), flags | O_CLOEXEC | O_NOCTTY);
}

// To be rewritten, the file is opened for reading and writing at once where it may be written:
// one handle, so that a write lease can be taken on it. Another program's lease is never waited
// for. Where the file may not be written, it is read all the same: the save says why it fails.
[[nodiscard]] FileDescriptor openForRewriting(const FileDescriptor& found, int& writeError)
{
    FileDescriptor file(reopen(found, O_RDWR | O_NONBLOCK));
    writeError = file.isOpen() ? 0 : errno;
    if (file.isOpen())
        return file;
    if (writeError == EWOULDBLOCK)
        throw filefailure::openElsewhere();
    file = FileDescriptor(reopen(found, O_RDONLY | O_NONBLOCK));
    if (!file.isOpen())
        throw errno == EWOULDBLOCK ? filefailure::openElsewhere() : fromErrno(errno, "cannot open");
    return file;
}

// A reader waits for a writer's lease to end, so it never reads a text half overwritten.
// O_NOATIME is allowed only to the file's owner (and root): anyone else reads without it.
[[nodiscard]] FileDescriptor openForReading(const FileDescriptor& found)
{
    FileDescriptor file(reopen(found, O_RDONLY | O_NOATIME));
    if (!file.isOpen())
        file = FileDescriptor(reopen(found, O_RDONLY));
    if (!file.isOpen())
        throw fromErrno(errno, "cannot open");
    return file;
}

// Held from the open to the end of the operation. Where the file system keeps no locks, the
// file is worked on without.
void lockAgainstAnotherCindral(int fd)
{
    if (fileio::lockAlone(fd))
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

} // namespace

OpenedFile::OpenedFile(const QByteArray& path, Purpose purpose) : m_path(path)
{
    const FileDescriptor regular = findRegularFile(path);
    if (purpose == Purpose::Rewrite) {
        m_file = openForRewriting(regular, m_writeError);
        lockAgainstAnotherCindral(m_file.get());
    } else {
        m_file = openForReading(regular);
    }
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
    return isUnwritten() && ::fstat(m_file.get(), &now) == 0 &&
           sameTime(now.st_ctim, m_opened.st_ctim);
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

// Opening the file for writing proved the right to write, also where the folder would allow a
// replacement.
std::optional<Failure> OpenedFile::whyUnwritable() const
{
    if ((m_opened.st_mode & S_IWUSR) == 0)
        return fileError("read-only");
    if (m_writeError != 0)
        return fromErrno(m_writeError, "cannot open");
    return std::nullopt;
}

FileDescriptor OpenedFile::writableHandle() const
{
    if (std::optional<Failure> unwritable = whyUnwritable())
        throw *unwritable;
    FileDescriptor writable(::fcntl(m_file.get(), F_DUPFD_CLOEXEC, 0));
    if (!writable.isOpen())
        throw fromErrno(errno, "cannot open");
    return writable;
}

} // namespace cindral
