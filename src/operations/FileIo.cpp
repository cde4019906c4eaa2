// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/FileIo.h"

#include "operations/FileFailure.h"

#include <unistd.h>

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

struct stat statOf(int fd, const std::string& step)
{
    struct stat info = {};
    if (::fstat(fd, &info) != 0)
        throw fromErrno(errno, step);
    return info;
}

} // namespace cindral::fileio
