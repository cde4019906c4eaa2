// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/TextFile.h"

#include "operations/FileFailure.h"
#include "operations/FileSaving.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace cindral {

using filefailure::fileError;
using filefailure::fromErrno;

namespace {

// A folder, a device or a pipe is no text file; a pipe would also block the read forever.
[[nodiscard]] FileDescriptor openForReading(const QByteArray& path)
{
    FileDescriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.isOpen())
        throw fromErrno(errno, "cannot open");
    struct stat info = {};
    if (::fstat(file.get(), &info) != 0)
        throw fromErrno(errno, "cannot examine");
    if (!S_ISREG(info.st_mode))
        throw fileError("not a regular file");
    return file;
}

} // namespace

LoadedText loadtext(const QByteArray& filename, LineEnds appendLineEnds,
                    const std::function<void()>& opened, qsizetype pieceSize)
{
    FileDescriptor file = openForReading(filename);
    if (opened)
        opened();
    return LoadedText(std::move(file), appendLineEnds, pieceSize);
}

void savetext(const QByteArray& filename, const std::function<void(TextSink&)>& produce,
              qsizetype pieceSize)
{
    saveWhole(filename, produce, pieceSize);
}

} // namespace cindral
