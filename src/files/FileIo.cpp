// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/FileIo.h"

#include "files/FileFailure.h"
#include "files/FlushGroup.h"

#include <QByteArray>
#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace cindral::fileio {

using filefailure::fromErrno;

qsizetype readSome(int fd, char* into, qsizetype size)
{
    const ssize_t got = retried([&] { return ::read(fd, into, static_cast<size_t>(size)); });
    if (got < 0)
        throw fromErrno(errno, "cannot read");
    return got;
}

qsizetype readAt(int fd, char* into, qsizetype size, qint64 offset)
{
    qsizetype done = 0;
    while (done < size) {
        const ssize_t got = retried([&] {
            return ::pread(fd, into + done, static_cast<size_t>(size - done), offset + done);
        });
        if (got < 0)
            throw fromErrno(errno, "cannot read");
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

void writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t done =
            retried([&] { return ::write(fd, bytes.data(), static_cast<size_t>(bytes.size())); });
        if (done <= 0)
            throw fromErrno(done < 0 ? errno : ENOSPC, "cannot write");
        bytes = bytes.sliced(done);
    }
}

void writeAllAt(int fd, QByteArrayView bytes, qint64 offset)
{
    while (!bytes.isEmpty()) {
        const ssize_t done = retried(
            [&] { return ::pwrite(fd, bytes.data(), static_cast<size_t>(bytes.size()), offset); });
        if (done <= 0)
            throw fromErrno(done < 0 ? errno : ENOSPC, "cannot write");
        bytes = bytes.sliced(done);
        offset += done;
    }
}

void copyOver(int to, int from, qint64 length, qsizetype pieceSize)
{
    QByteArray buffer(pieceSize, Qt::Uninitialized);
    for (qint64 offset = 0; offset < length; offset += pieceSize) {
        const qsizetype size = static_cast<qsizetype>(std::min<qint64>(pieceSize, length - offset));
        if (readAt(from, buffer.data(), size, offset) != size)
            throw fromErrno(EIO, "cannot read the new text back");
        writeAllAt(to, QByteArrayView(buffer.constData(), size), offset);
    }
    if (::ftruncate(to, length) != 0)
        throw fromErrno(errno, "cannot truncate");
    if (!FlushGroup::flush(to, FlushGroup::Target::File))
        throw fromErrno(errno, "cannot flush");
}

bool holdsTheStartOf(int a, int b, qint64 length, qsizetype pieceSize)
{
    if (statOf(a).st_size != length)
        return false;
    QByteArray ofA(pieceSize, Qt::Uninitialized);
    QByteArray ofB(pieceSize, Qt::Uninitialized);
    for (qint64 offset = 0; offset < length; offset += pieceSize) {
        const qsizetype size = static_cast<qsizetype>(std::min<qint64>(pieceSize, length - offset));
        if (readAt(a, ofA.data(), size, offset) != size ||
            readAt(b, ofB.data(), size, offset) != size ||
            QByteArrayView(ofA).first(size) != QByteArrayView(ofB).first(size))
            return false;
    }
    return true;
}

struct stat statOf(int fd, const std::string& step)
{
    struct stat info = {};
    if (::fstat(fd, &info) != 0)
        throw fromErrno(errno, step);
    return info;
}

std::optional<timespec> birthOf(int fd)
{
    struct statx info = {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &info) != 0 || !(info.stx_mask & STATX_BTIME))
        return std::nullopt;
    return timespec{info.stx_btime.tv_sec, info.stx_btime.tv_nsec};
}

bool lockAlone(int fd)
{
    return retried([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) == 0;
}

quint32 checksumOf(QByteArrayView bytes, quint32 before)
{
    return static_cast<quint32>(::crc32_z(before, reinterpret_cast<const Bytef*>(bytes.data()),
                                          static_cast<size_t>(bytes.size())));
}

bool syncFolder(int folder)
{
    return FlushGroup::flush(folder, FlushGroup::Target::Folder);
}

} // namespace cindral::fileio
