// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/FileSaving.h"

#include "cipher/Failure.h"
#include "operations/FileDescriptor.h"
#include "operations/FileFailure.h"
#include "operations/FileIdentity.h"
#include "operations/NewFile.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cindral {

using filefailure::fileError;
using filefailure::fromErrno;
using Producer = std::function<void(TextSink&)>;

namespace {

[[nodiscard]] QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : path.left(std::max<qsizetype>(slash, 1));
}

[[nodiscard]] QByteArray resolvedPath(const QByteArray& path)
{
    char* resolved = ::realpath(path.constData(), nullptr);
    if (!resolved)
        throw fromErrno(errno, "cannot resolve");
    QByteArray result(resolved);
    std::free(resolved);
    return result;
}

[[nodiscard]] std::optional<NewFile> newFileIn(const QByteArray& folder)
{
    std::optional<NewFile> file;
    try {
        file.emplace(folder);
    } catch (const Failure&) {
        // The caller has somewhere else to go.
    }
    return file;
}

void produceInto(int fd, const Producer& produce)
{
    TextSink sink(TextSink::Kind::File, fd);
    produce(sink);
}

// The file cannot take the new text, but the text is made all the same: a failure on the way
// there (a character that cannot be encrypted) is the one to report.
[[noreturn]] void produceThenFail(const Producer& produce, const Failure& failure)
{
    TextSink sink(TextSink::Kind::Discard, -1);
    produce(sink);
    throw failure;
}

void readFully(int fd, char* into, qsizetype size, qint64 offset)
{
    while (size > 0) {
        const ssize_t got = ::pread(fd, into, static_cast<size_t>(size), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            throw fromErrno(got < 0 ? errno : EIO, "cannot read the new text back");
        into += got;
        size -= got;
        offset += got;
    }
}

void writeFully(int fd, const char* from, qsizetype size, qint64 offset)
{
    while (size > 0) {
        const ssize_t done = ::pwrite(fd, from, static_cast<size_t>(size), offset);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            throw fromErrno(done < 0 ? errno : ENOSPC, "cannot write");
        from += done;
        size -= done;
        offset += done;
    }
}

// Overwriting in place cannot be undone, so every known reason to stop is found first.
void reserveSpace(int fd, qint64 total)
{
    struct rlimit limit = {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(total) > limit.rlim_cur)
        throw fromErrno(EFBIG, "cannot reserve space");
    if (total == 0)
        return;
    int result = 0;
    do {
        result = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, total);
    } while (result != 0 && errno == EINTR);
    // A file system that cannot reserve space is written without the reservation.
    if (result != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
        throw fromErrno(errno, "cannot reserve space");
}

// Copies the finished new text over the file, a piece at a time.
void overwriteInPlace(int fd, int newText, qsizetype pieceSize)
{
    struct stat info = {};
    if (::fstat(newText, &info) != 0)
        throw fromErrno(errno, "cannot examine the new text");
    const qint64 total = info.st_size;
    reserveSpace(fd, total);
    QByteArray buffer(pieceSize, Qt::Uninitialized);
    for (qint64 offset = 0; offset < total; offset += pieceSize) {
        const qsizetype size = static_cast<qsizetype>(std::min<qint64>(pieceSize, total - offset));
        readFully(newText, buffer.data(), size, offset);
        writeFully(fd, buffer.constData(), size, offset);
    }
    if (::ftruncate(fd, total) != 0)
        throw fromErrno(errno, "cannot truncate");
    if (::fsync(fd) != 0)
        throw fromErrno(errno, "cannot flush");
}

[[nodiscard]] bool ownerMayWrite(const struct stat& info)
{
    return (info.st_mode & S_IWUSR) != 0;
}

void saveOverExisting(const FileDescriptor& file, const QByteArray& path, const Producer& produce,
                      qsizetype pieceSize)
{
    struct stat info = {};
    if (::fstat(file.get(), &info) != 0)
        throw fromErrno(errno, "cannot examine");
    if (!S_ISREG(info.st_mode))
        throw fileError("not a regular file");
    if (!ownerMayWrite(info))
        produceThenFail(produce, fileError("read-only"));
    const QByteArray resolved = resolvedPath(path);
    std::optional<NewFile> newFile = newFileIn(folderOf(resolved));
    // Replacing a file with other names would leave the old text readable under them.
    if (newFile && info.st_nlink == 1 && takeOverIdentity(newFile->fd(), file.get(), info)) {
        produceInto(newFile->fd(), produce);
        newFile->replace(resolved);
        return;
    }
    // Written in place: the new text is made whole elsewhere first, nobody else may open it.
    if (!newFile)
        newFile.emplace(QFile::encodeName(QDir::tempPath()));
    produceInto(newFile->fd(), produce);
    overwriteInPlace(file.get(), newFile->fd(), pieceSize);
}

} // namespace

void saveWhole(const QByteArray& path, const Producer& produce, qsizetype pieceSize)
{
    // Opening for writing proves the right to write, also where the folder would allow a
    // replacement; a file that went missing since it was read is created anew.
    const FileDescriptor existing(
        ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (existing.isOpen()) {
        saveOverExisting(existing, path, produce, pieceSize);
    } else if (errno == ENOENT && !path.isEmpty()) {
        NewFile newFile(folderOf(path));
        produceInto(newFile.fd(), produce);
        newFile.replace(path);
    } else {
        produceThenFail(produce, fromErrno(errno, "cannot open"));
    }
}

} // namespace cindral
