// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <cerrno>
#include <ctime>
#include <optional>
#include <string>
#include <sys/stat.h>

// The system calls on the user's file, each retried when a signal interrupts it, their errors
// thrown as the Failure an operation reports (see FileFailure).
namespace cindral::fileio {

// Runs `call` again for as long as a signal interrupts it; gives its last result.
template <typename Call> [[nodiscard]] auto retried(Call call)
{
    for (;;) {
        const auto result = call();
        if (result >= 0 || errno != EINTR)
            return result;
    }
}

// Reads at most `size` bytes from the file's position; 0 at its end.
[[nodiscard]] qsizetype readSome(int fd, char* into, qsizetype size);

// Reads `size` bytes at `offset`, or fewer where the file ends first.
[[nodiscard]] qsizetype readAt(int fd, char* into, qsizetype size, qint64 offset);

// Writes every byte at the file's position, or at `offset`. A write that takes nothing without
// an error has run out of room.
void writeAll(int fd, QByteArrayView bytes);
void writeAllAt(int fd, QByteArrayView bytes, qint64 offset);

// Makes the file `to` hold exactly the first `length` bytes of `from`, copied a piece at a time
// over what it held, and flushes it to the disk.
void copyOver(int to, int from, qint64 length, qsizetype pieceSize);

// Whether the file `a` holds exactly the first `length` bytes of `b`.
[[nodiscard]] bool holdsTheStartOf(int a, int b, qint64 length, qsizetype pieceSize);

// What fstat says of an open file; `step` names what failed in the reason.
[[nodiscard]] struct stat statOf(int fd, const std::string& step = "cannot examine");

// When the open file was made, where the file system keeps that: a file that took the place of
// a removed one may have its inode number, never its birth.
[[nodiscard]] std::optional<timespec> birthOf(int fd);

// The CRC-32 of `bytes` (zlib's), carried on from that of the bytes before them.
[[nodiscard]] quint32 checksumOf(QByteArrayView bytes, quint32 before = 0);

// Whether two times of a file's status are the same to the nanosecond.
[[nodiscard]] inline bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Takes the file's exclusive lock without waiting; false, with errno saying why, when someone
// holds it or the file system keeps no locks.
[[nodiscard]] bool lockAlone(int fd);

// Makes the entries of the folder open as `folder` (an O_PATH handle too) durable; false when
// the system says they may not be.
[[nodiscard]] bool syncFolder(int folder);

} // namespace cindral::fileio
