// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/Savetext.h"

#include "base/Failure.h"
#include "files/FileFailure.h"
#include "files/FileIdentity.h"
#include "files/FileIo.h"
#include "files/NewFile.h"
#include "files/OpenedFile.h"
#include "files/PendingNames.h"
#include "files/RecoveryCopy.h"
#include "files/WriteLease.h"

#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

// The two routes of a save, as Savetext.h tells them.
namespace cindral {

using filefailure::fromErrno;
using Producer = std::function<void(TextSink&)>;

namespace {

void produceInto(int fd, const Producer& produce)
{
    TextSink sink(TextSink::Kind::File, fd);
    produce(sink);
}

// A new file beside the old one that has taken over everything that decides who may use it,
// under the name `names` has recorded. None for a file with other names (replacing one would
// leave the old text readable under the others), in a folder that refuses new files, or whose
// identity the new file cannot take.
[[nodiscard]] std::optional<NewFile> replacementFor(const OpenedFile& file, PendingNames& names)
{
    if (file.opened().st_nlink != 1)
        return std::nullopt;
    std::optional<NewFile> replacement;
    try {
        replacement.emplace(file.folder(), names.newName(),
                            [&](ino_t inode) { return names.record(inode); });
    } catch (const Failure&) {
        return std::nullopt;
    }
    if (!takeOverIdentity(replacement->fd(), file.fd(), file.opened()))
        return std::nullopt;
    return replacement;
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
    const int result =
        fileio::retried([&] { return ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, total); });
    // A file system that cannot reserve space is written without the reservation.
    if (result != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
        throw fromErrno(errno, "cannot reserve space");
}

void replaceThroughNewFile(const OpenedFile& file, NewFile& replacement, const PendingNames& names,
                           const Producer& produce)
{
    produceInto(replacement.fd(), produce);
    replacement.replace(file, names.asideName());
}

// The whole new text is made in a recovery copy first, so that the copy can be finished should
// the overwrite be interrupted, and every known reason to stop is found before the first byte.
// From the checksums of the old text to the end, another program cannot open the file where the
// system grants a lease; where it does not, what the file holds at the end is checked instead.
void stageThenOverwrite(const OpenedFile& file, const FileDescriptor& writable,
                        const Producer& produce, qsizetype pieceSize)
{
    RecoveryCopy copy;
    TextSink sink = copy.sink();
    produce(sink);
    const WriteLease lease(writable.get());
    copy.keepFor(file);
    file.checkUntouched();
    reserveSpace(writable.get(), copy.length());
    copy.markOverwriteBegun();
    fileio::copyOver(writable.get(), copy.fd(), copy.length(), pieceSize);
    if (!lease.stillUnbroken() &&
        !fileio::holdsTheStartOf(writable.get(), copy.fd(), copy.length(), pieceSize))
        throw filefailure::writtenMeanwhile(copy.keepForTheUser());
    copy.remove();
}

} // namespace

void savetext(const OpenedFile& file, const Producer& produce, qsizetype pieceSize)
{
    const FileDescriptor writable = file.writableHandle();
    PendingNames names(file);
    if (std::optional<NewFile> replacement = replacementFor(file, names))
        replaceThroughNewFile(file, *replacement, names, produce);
    else
        stageThenOverwrite(file, writable, produce, pieceSize);
}

} // namespace cindral
