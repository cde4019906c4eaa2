// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

// Files of the tests, named by the file system's bytes, so names that are not UTF-8 work too.
inline void writeBytes(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), bytes.size()) == bytes.size();
    if (fd >= 0)
        ::close(fd);
    if (!written)
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    writeBytes(QFile::encodeName(path), bytes);
}

// "<unreadable>" for a file that cannot be read, a missing one too.
inline QByteArray readBytes(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "<unreadable>";
    QByteArray bytes;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, got);
    ::close(fd);
    return got < 0 ? QByteArray("<unreadable>") : bytes;
}

inline QByteArray readBytes(const QString& path)
{
    return readBytes(QFile::encodeName(path));
}

// Gives a file times long ago, so that a write shows in them even within the clock's resolution;
// 0 when done.
inline int makeOld(const QByteArray& path)
{
    const timespec longAgo[2] = {{1000000000, 0}, {1000000000, 0}};
    return ::utimensat(AT_FDCWD, path.constData(), longAgo, 0);
}

// Every name in the folder, hidden ones included, so a stray temporary file shows.
inline QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
