// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/InterruptedSaves.h"

#include "base/Failure.h"
#include "files/FileFailure.h"
#include "files/FileIo.h"
#include "files/OverwriteBlocks.h"
#include "files/PendingNames.h"
#include "files/PieceSize.h"
#include "files/RecoveryCopy.h"
#include "files/RecoveryFolder.h"
#include "files/RecoveryRecord.h"
#include "files/WriteLease.h"

#include <QByteArrayList>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <unistd.h>

namespace cindral {

using filefailure::fileError;
using Outcome = InterruptedSave::Outcome;

namespace {

// A copy or record still being made is locked by its maker: a run that can lock it knows it
// abandoned.
const QByteArray unfinished = ".part";
const QByteArray copySuffix = ".save";
const QByteArray namesSuffix = ".names";

// Only names the program gives its records: kept copies, set-aside records and anything else
// the user put there are never taken for one.
[[nodiscard]] bool isRecordName(const QByteArray& name)
{
    const qsizetype dot = name.indexOf('.');
    return dot > 0 &&
           std::all_of(name.begin(), name.begin() + dot,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); }) &&
           QByteArrayList{unfinished, copySuffix, namesSuffix}.contains(name.sliced(dot));
}

[[nodiscard]] QByteArrayList recordsIn(int folder)
{
    QByteArrayList names;
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(::fdopendir(::dup(folder)), &::closedir);
    while (const dirent* entry = entries ? ::readdir(entries.get()) : nullptr) {
        if (isRecordName(entry->d_name))
            names.append(entry->d_name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A record of the user's: a regular file of theirs, not a link, opened without following one and
// locked. Not open when someone is still at work on it; throws with why it is left alone.
[[nodiscard]] FileDescriptor openRecord(int folder, const QByteArray& name)
{
    struct stat entry = {};
    if (::fstatat(folder, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0)
        return FileDescriptor();
    if (S_ISLNK(entry.st_mode))
        throw fileError("a link, not a record");
    if (!S_ISREG(entry.st_mode) || entry.st_uid != ::geteuid())
        throw fileError("not a file of the user's");
    FileDescriptor record(::openat(folder, name.constData(),
                                   O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!record.isOpen())
        return record;
    const struct stat opened = fileio::statOf(record.get());
    if (opened.st_dev != entry.st_dev || opened.st_ino != entry.st_ino)
        return FileDescriptor();
    return fileio::lockAlone(record.get()) ? std::move(record) : FileDescriptor();
}

struct Copy
{
    const RecoveryFolder* folder;
    QByteArray name;
    FileDescriptor fd;
    RecoveryRecord record;
};

void drop(const Copy& copy)
{
    (void)::unlinkat(copy.folder->fd(), copy.name.constData(), 0);
    (void)fileio::syncFolder(copy.folder->fd());
}

[[nodiscard]] InterruptedSave keep(const Copy& copy, const QString& reason)
{
    return {Outcome::Kept, copy.record.path, reason,
            RecoveryCopy::keepNewText(*copy.folder, copy.name, copy.fd.get(), copy.record.length,
                                      copy.record.path)};
}

void checkIntact(const Copy& copy)
{
    QByteArray piece(defaultPieceSize, Qt::Uninitialized);
    quint32 checksum = 0;
    for (qint64 at = 0; at < copy.record.length; at += piece.size()) {
        const auto size =
            static_cast<qsizetype>(std::min<qint64>(piece.size(), copy.record.length - at));
        if (fileio::readAt(copy.fd.get(), piece.data(), size, at) != size)
            throw fileError("the new text is damaged");
        checksum = fileio::checksumOf(QByteArrayView(piece.constData(), size), checksum);
    }
    if (checksum != copy.record.checksum)
        throw fileError("the new text is damaged");
}

[[nodiscard]] bool sameTime(const std::optional<timespec>& a, const std::optional<timespec>& b)
{
    return a.has_value() == b.has_value() && (!a || fileio::sameTime(*a, *b));
}

// The file the copy is for, locked: found without opening anything, so that whatever now lies
// at its path (a device, a pipe, another file) is never opened. Not open when another Cindral has
// it.
[[nodiscard]] FileDescriptor fileOf(const RecoveryRecord& record)
{
    const FileDescriptor found(::open(record.path.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (!found.isOpen() && errno == ENOENT)
        throw fileError("the file is gone");
    if (!found.isOpen())
        throw filefailure::fromErrno(errno, "cannot open");
    const struct stat info = fileio::statOf(found.get());
    if (!S_ISREG(info.st_mode) || info.st_dev != record.device || info.st_ino != record.inode)
        throw fileError("the file is now another file");
    // A file made after the old one was removed may have been given its number.
    if (!sameTime(fileio::birthOf(found.get()), record.born))
        throw fileError("the file is now another file that took its number");
    // Another Cindral's lease, while it overwrites the file, turns the open away.
    FileDescriptor file(::open(("/proc/self/fd/" + QByteArray::number(found.get())).constData(),
                               O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.isOpen() && errno != EWOULDBLOCK)
        throw filefailure::fromErrno(errno, "cannot open");
    return file.isOpen() && fileio::lockAlone(file.get()) ? std::move(file) : FileDescriptor();
}

[[nodiscard]] InterruptedSave laterRun(const Copy& copy, const Failure& failure)
{
    return {Outcome::LeftAlone, copy.record.path,
            QString::fromUtf8(failure.what()) + QStringLiteral("; a later run finishes the save")};
}

// What the copy makes of its file; nothing when another Cindral is at work on it.
[[nodiscard]] std::optional<InterruptedSave> finish(const Copy& copy)
{
    const FileDescriptor file = fileOf(copy.record);
    if (!file.isOpen())
        return std::nullopt;
    checkIntact(copy);
    std::optional<WriteLease> taken;
    try {
        taken.emplace(file.get());
    } catch (const Failure& failure) {
        return laterRun(copy, failure);
    }
    const WriteLease& lease = *taken;
    switch (overwriteblocks::judge(file.get(), copy.fd.get(), copy.record)) {
    case overwriteblocks::Found::Changed:
        return keep(copy, QStringLiteral("the file was changed after the interruption"));
    case overwriteblocks::Found::NotBegun:
        drop(copy);
        return InterruptedSave{Outcome::Dropped, copy.record.path, {}};
    case overwriteblocks::Found::Interrupted:
        // Cut short again (a full disk), the copy stays for the next run to go on from.
        try {
            fileio::copyOver(file.get(), copy.fd.get(), copy.record.length, defaultPieceSize);
        } catch (const Failure& failure) {
            return laterRun(copy, failure);
        }
        if (!lease.stillUnbroken() &&
            !fileio::holdsTheStartOf(file.get(), copy.fd.get(), copy.record.length,
                                     defaultPieceSize))
            return keep(copy, QStringLiteral("another program wrote to the file meanwhile"));
        break;
    case overwriteblocks::Found::Done:
        break;
    }
    drop(copy);
    return InterruptedSave{Outcome::Finished, copy.record.path, {}};
}

[[nodiscard]] bool sameFile(const Copy& a, const Copy& b)
{
    return a.record.device == b.record.device && a.record.inode == b.record.inode;
}

// The copies of one file, the later save first: once one has been written or judged, the earlier
// ones are kept, never written over it.
void finishAll(std::vector<Copy>& copies, std::vector<InterruptedSave>& saves)
{
    std::ranges::sort(copies, [](const Copy& a, const Copy& b) {
        return std::tuple(a.record.device, a.record.inode, b.record.saved) <
               std::tuple(b.record.device, b.record.inode, a.record.saved);
    });
    const Copy* settled = nullptr;
    for (const Copy& copy : copies) {
        if (settled && sameFile(*settled, copy)) {
            saves.push_back(keep(copy, QStringLiteral("a later save of the file came after it")));
            continue;
        }
        settled = nullptr;
        try {
            const std::optional<InterruptedSave> save = finish(copy);
            if (!save)
                continue;
            if (save->outcome != Outcome::Dropped)
                settled = &copy; // an earlier save may not be written over this one
            saves.push_back(*save);
        } catch (const Failure& failure) {
            saves.push_back(keep(copy, QString::fromUtf8(failure.what())));
            settled = &copy;
        }
    }
}

// One entry of the folder; a copy with a record that can be read joins `copies`.
void take(const RecoveryFolder& folder, const QByteArray& name, std::vector<Copy>& copies,
          std::vector<InterruptedSave>& saves)
{
    FileDescriptor record;
    try {
        record = openRecord(folder.fd(), name);
    } catch (const Failure& failure) {
        saves.push_back(
            {Outcome::LeftAlone, folder.pathOf(name), QString::fromUtf8(failure.what())});
        return;
    }
    if (!record.isOpen())
        return;
    if (name.endsWith(unfinished)) {
        (void)::unlinkat(folder.fd(), name.constData(), 0);
    } else if (name.endsWith(namesSuffix)) {
        if (std::optional<InterruptedSave> left =
                PendingNames::clearAway(folder, name, record.get()))
            saves.push_back(std::move(*left));
    } else if (std::optional<RecoveryRecord> read = RecoveryRecord::readFrom(record.get())) {
        copies.push_back({&folder, name, std::move(record), std::move(*read)});
    } else {
        const QByteArray aside = name.chopped(copySuffix.size()) + ".unreadable";
        const bool setAside =
            ::renameat(folder.fd(), name.constData(), folder.fd(), aside.constData()) == 0;
        saves.push_back({Outcome::Kept, folder.pathOf(name),
                         QStringLiteral("its record cannot be read"),
                         folder.pathOf(setAside ? aside : name)});
    }
}

} // namespace

std::vector<InterruptedSave> finishInterruptedSaves()
{
    std::vector<InterruptedSave> saves;
    const std::vector<RecoveryFolder> folders = RecoveryFolder::existing(saves);
    std::vector<Copy> copies;
    for (const RecoveryFolder& folder : folders) {
        for (const QByteArray& name : recordsIn(folder.fd()))
            take(folder, name, copies, saves);
    }
    finishAll(copies, saves);
    return saves;
}

} // namespace cindral
