// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/InterruptedSaves.h"

#include "base/Failure.h"
#include "files/FileFailure.h"
#include "files/FileIo.h"
#include "files/PieceSize.h"
#include "files/RecoveryFolder.h"
#include "files/RecoveryRecord.h"

#include <QByteArrayList>
#include <QCryptographicHash>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <unistd.h>

namespace cindral {

using filefailure::fileError;

namespace {

const QByteArray copySuffix = ".save";

[[nodiscard]] bool lock(int fd)
{
    return fileio::retried([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) == 0;
}

[[nodiscard]] QByteArrayList copiesIn(int folder)
{
    QByteArrayList names;
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(::fdopendir(::dup(folder)), &::closedir);
    while (const dirent* entry = entries ? ::readdir(entries.get()) : nullptr) {
        if (QByteArrayView(entry->d_name).endsWith(copySuffix))
            names.append(entry->d_name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The copy still lies under its name: it may have been finished and removed while it was
// waited for.
[[nodiscard]] bool stillNamed(int folder, const QByteArray& name, int copy)
{
    struct stat named = {};
    const struct stat opened = fileio::statOf(copy);
    return ::fstatat(folder, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

void checkIntact(int copy, const RecoveryRecord& record)
{
    QCryptographicHash checksum(QCryptographicHash::Sha1);
    QByteArray piece(defaultPieceSize, Qt::Uninitialized);
    for (qint64 at = 0; at < record.length; at += piece.size()) {
        const auto size =
            static_cast<qsizetype>(std::min<qint64>(piece.size(), record.length - at));
        if (fileio::readAt(copy, piece.data(), size, at) != size)
            throw fileError("the new text is damaged");
        checksum.addData(QByteArrayView(piece).first(size));
    }
    if (checksum.result() != record.sha1)
        throw fileError("the new text is damaged");
}

// The file the copy is for, locked; a handle that is not open when another Cindral has it.
[[nodiscard]] FileDescriptor fileOf(const RecoveryRecord& record)
{
    FileDescriptor file(
        ::open(record.path.constData(), O_RDWR | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!file.isOpen() && errno == ENOENT)
        throw fileError("the file is gone");
    if (!file.isOpen())
        throw filefailure::fromErrno(errno, "cannot open");
    const struct stat info = fileio::statOf(file.get());
    if (info.st_dev != record.device || info.st_ino != record.inode)
        throw fileError("the file is now another file");
    return lock(file.get()) ? std::move(file) : FileDescriptor();
}

// False when another Cindral works on the file: it is left for later.
[[nodiscard]] bool finish(int copy, const RecoveryRecord& record)
{
    const FileDescriptor file = fileOf(record);
    if (!file.isOpen())
        return false;
    checkIntact(copy, record);
    if (!fileio::holdsTheStartOf(file.get(), copy, record.length, defaultPieceSize))
        fileio::copyOver(file.get(), copy, record.length, defaultPieceSize);
    return true;
}

// The new text alone, under a name that says whose it is, for the user to take.
[[nodiscard]] InterruptedSave keep(int folder, const QByteArray& name, int copy,
                                   const RecoveryRecord& record, const QString& reason)
{
    const QByteArray kept =
        name.chopped(copySuffix.size()) + '-' + record.path.mid(record.path.lastIndexOf('/') + 1);
    if (::ftruncate(copy, record.length) != 0 ||
        ::renameat(folder, name.constData(), folder, kept.constData()) != 0)
        return {record.path, *recoveryfolder::path() + '/' + name, reason};
    (void)::fsync(folder);
    return {record.path, *recoveryfolder::path() + '/' + kept, reason};
}

[[nodiscard]] std::optional<InterruptedSave> finishCopy(int folder, const QByteArray& name)
{
    const FileDescriptor copy(
        ::openat(folder, name.constData(), O_RDWR | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (!copy.isOpen() || !lock(copy.get()) || !stillNamed(folder, name, copy.get()))
        return std::nullopt;
    const std::optional<RecoveryRecord> record = RecoveryRecord::readFrom(copy.get());
    if (!record)
        return InterruptedSave{name, *recoveryfolder::path() + '/' + name,
                               QStringLiteral("its record cannot be read")};
    try {
        if (!finish(copy.get(), *record))
            return std::nullopt;
    } catch (const Failure& failure) {
        return keep(folder, name, copy.get(), *record, QString::fromUtf8(failure.what()));
    }
    (void)::unlinkat(folder, name.constData(), 0);
    (void)::fsync(folder);
    return InterruptedSave{record->path, {}, {}};
}

} // namespace

std::vector<InterruptedSave> finishInterruptedSaves()
{
    const FileDescriptor folder = recoveryfolder::openExisting();
    std::vector<InterruptedSave> saves;
    if (!folder.isOpen())
        return saves;
    for (const QByteArray& name : copiesIn(folder.get())) {
        if (std::optional<InterruptedSave> save = finishCopy(folder.get(), name))
            saves.push_back(std::move(*save));
    }
    return saves;
}

QByteArray lineOf(const InterruptedSave& save)
{
    if (save.keptIn.isEmpty())
        return save.file + ": finished an interrupted save\n";
    return save.file + ": an interrupted save could not be finished: " + save.reason.toLocal8Bit() +
           "; the new text is kept in " + save.keptIn + '\n';
}

} // namespace cindral
