// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/PendingNames.h"

#include "files/FileFailure.h"
#include "files/FileIo.h"
#include "files/NamesSlot.h"
#include "files/OpenedFile.h"
#include "files/RecordText.h"

#include <QRandomGenerator>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace cindral {
namespace {

const QByteArray heading = "cindral names 1";
const QByteArray checksumField = "\ncheck ";

[[nodiscard]] QByteArray checksumOf(QByteArrayView bytes)
{
    return QByteArray::number(fileio::checksumOf(bytes));
}

// The record with the checksum of its fields after its heading, so that a record cut short or
// mixed with the one it was written over tells itself apart.
[[nodiscard]] QByteArray withChecksum(const QByteArray& text)
{
    const QByteArray fields = text.sliced(heading.size());
    return heading + checksumField + checksumOf(fields) + fields;
}

enum class Checksum
{
    Holds,
    Broken,
    None, // a record of an earlier version
};

[[nodiscard]] Checksum checksumIn(const QByteArray& text)
{
    if (!text.startsWith(heading + checksumField))
        return Checksum::None;
    const qsizetype start = heading.size() + checksumField.size();
    const qsizetype end = text.indexOf('\n', start);
    if (end < 0)
        return Checksum::Broken;
    return text.sliced(start, end - start) == checksumOf(text.sliced(end)) ? Checksum::Holds
                                                                           : Checksum::Broken;
}

[[nodiscard]] QByteArray newId()
{
    return QByteArray::number(QRandomGenerator::system()->generate64(), 36);
}

[[nodiscard]] std::optional<struct stat> entryOf(int folder, const QByteArray& name)
{
    struct stat info = {};
    return ::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0
               ? std::optional(info)
               : std::nullopt;
}

// What a record says of a replacement, and what the folder it names holds now.
struct Replacement
{
    FileDescriptor folder;
    QByteArray fileName;
    QByteArray newName;
    QByteArray asideName;
    ino_t inode;
    qint64 size;
    timespec modified;
    ino_t newInode; // 0: not known

    [[nodiscard]] bool isOriginal(const std::optional<struct stat>& entry) const
    {
        return entry && entry->st_ino == inode;
    }
    [[nodiscard]] bool isUnwrittenOriginal(const std::optional<struct stat>& entry) const
    {
        return isOriginal(entry) && entry->st_size == size &&
               fileio::sameTime(entry->st_mtim, modified);
    }
    [[nodiscard]] bool isNew(const std::optional<struct stat>& entry) const
    {
        return entry && newInode != 0 && entry->st_ino == newInode;
    }
    // Whether the file's name holds the new file: known by its number once it had one, else by
    // no longer holding the original.
    [[nodiscard]] bool newIsNamed(const std::optional<struct stat>& named) const
    {
        return isNew(named) || (newInode == 0 && !isOriginal(named));
    }
    [[nodiscard]] bool remove(const QByteArray& name) const
    {
        return ::unlinkat(folder.get(), name.constData(), 0) == 0;
    }
    [[nodiscard]] bool rename(const QByteArray& name, const QByteArray& other, unsigned flags) const
    {
        return ::renameat2(folder.get(), name.constData(), folder.get(), other.constData(),
                           flags) == 0;
    }
};

[[nodiscard]] std::optional<Replacement> replacementOf(const RecordText& fields)
{
    const auto path = fields.bytes("folder");
    const auto device = fields.number("folder-device");
    const auto folderInode = fields.number("folder-inode");
    const auto fileName = fields.bytes("name");
    const auto inode = fields.number("inode");
    const auto size = fields.number("size");
    const auto seconds = fields.number("modified");
    const auto nanoseconds = fields.number("modified-ns");
    const auto newName = fields.bytes("new");
    const auto newInode = fields.number("new-inode");
    const auto asideName = fields.bytes("aside");
    if (!path || !device || !folderInode || !fileName || !inode || !size || !seconds ||
        !nanoseconds || !newName || !newInode || !asideName)
        return std::nullopt;
    FileDescriptor folder(::open(path->constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat info = {};
    if (!folder.isOpen() || ::fstat(folder.get(), &info) != 0 ||
        info.st_dev != static_cast<dev_t>(*device) ||
        info.st_ino != static_cast<ino_t>(*folderInode))
        return std::nullopt;
    return Replacement{std::move(folder),
                       *fileName,
                       *newName,
                       *asideName,
                       static_cast<ino_t>(*inode),
                       *size,
                       timespec{*seconds, *nanoseconds},
                       static_cast<ino_t>(*newInode)};
}

// The old file moved aside, where names cannot be exchanged: back under its name unless the new
// file took its place, and then back over the new file if someone wrote into it meanwhile.
[[nodiscard]] bool settleAside(const Replacement& replacement)
{
    const auto aside = entryOf(replacement.folder.get(), replacement.asideName);
    if (!aside)
        return true;
    const auto named = entryOf(replacement.folder.get(), replacement.fileName);
    if (!named)
        return replacement.rename(replacement.asideName, replacement.fileName, 0);
    if (replacement.isUnwrittenOriginal(aside))
        return replacement.remove(replacement.asideName);
    return replacement.isOriginal(aside) && replacement.newIsNamed(named) &&
           replacement.rename(replacement.asideName, replacement.fileName, 0);
}

// The new file's name: an unfinished new file goes; so does the old file the exchange put there,
// unless someone wrote into it meanwhile, and what else the exchange took goes back.
[[nodiscard]] bool settleNew(const Replacement& replacement)
{
    const auto hidden = entryOf(replacement.folder.get(), replacement.newName);
    if (!hidden)
        return true;
    const auto named = entryOf(replacement.folder.get(), replacement.fileName);
    const bool newInPlace = replacement.newIsNamed(named);
    if (replacement.isUnwrittenOriginal(hidden) && newInPlace)
        return replacement.remove(replacement.newName);
    const bool exchanged = replacement.isOriginal(hidden) || replacement.isNew(named);
    if (exchanged && newInPlace)
        return replacement.rename(replacement.newName, replacement.fileName, RENAME_EXCHANGE) &&
               replacement.remove(replacement.newName);
    const bool ours =
        replacement.isNew(hidden) || (replacement.newInode == 0 && replacement.isOriginal(named));
    return ours && replacement.remove(replacement.newName);
}

} // namespace

PendingNames::PendingNames(const OpenedFile& file)
    : m_folder(RecoveryFolder::forSaving()), m_id(newId()), m_newName(".cindral-" + m_id),
      m_asideName(".cindral-" + m_id + "-old"), m_fileName(file.name()), m_fileInfo(file.opened())
{
    const QByteArray found = file.foundPath();
    m_folderPath = found.left(std::max<qsizetype>(found.size() - m_fileName.size() - 1, 1));
    m_folderInfo = fileio::statOf(file.folder());
}

PendingNames::~PendingNames()
{
    if (m_record) {
        (void)::unlinkat(m_folder.fd(), (m_id + ".names").constData(), 0);
        m_record.reset();
    }
}

int PendingNames::record(ino_t newInode)
{
    RecordText text(heading);
    text.addBytes("folder", m_folderPath);
    text.add("folder-device", static_cast<qint64>(m_folderInfo.st_dev));
    text.add("folder-inode", static_cast<qint64>(m_folderInfo.st_ino));
    text.addBytes("name", m_fileName);
    text.add("inode", static_cast<qint64>(m_fileInfo.st_ino));
    text.add("size", m_fileInfo.st_size);
    text.add("modified", m_fileInfo.st_mtim.tv_sec);
    text.add("modified-ns", m_fileInfo.st_mtim.tv_nsec);
    text.addBytes("new", m_newName);
    text.add("new-inode", static_cast<qint64>(newInode));
    text.addBytes("aside", m_asideName);
    const QByteArray checked = withChecksum(text.text());
    if (NamesSlot* const slot = NamesSlot::ofThisThread())
        return slot->write(m_folder, m_id + ".names", checked);
    m_record.emplace(m_folder.fd(), m_id + ".part");
    if (!fileio::lockAlone(m_record->fd()))
        throw filefailure::fromErrno(errno, "cannot lock the record of the new file's name");
    fileio::writeAll(m_record->fd(), checked);
    m_record->keepAs(m_id + ".names");
    return -1;
}

std::optional<InterruptedSave> PendingNames::clearAway(const RecoveryFolder& folder,
                                                       const QByteArray& name, int record)
{
    QByteArray text(4096, Qt::Uninitialized);
    text.resize(fileio::readAt(record, text.data(), text.size(), 0));
    // A record cut short as it was written over, or left empty by a crash before it was first
    // written, tells of no name that was made.
    if (text.isEmpty() || checksumIn(text) == Checksum::Broken) {
        (void)::unlinkat(folder.fd(), name.constData(), 0);
        return std::nullopt;
    }
    const std::optional<RecordText> fields = RecordText::parsed(heading, text);
    const std::optional<Replacement> replacement = fields ? replacementOf(*fields) : std::nullopt;
    std::optional<InterruptedSave> left;
    if (!replacement)
        left = {InterruptedSave::Outcome::LeftAlone, folder.pathOf(name),
                QStringLiteral("it names no folder that is there")};
    else if (!settleAside(*replacement) || !settleNew(*replacement))
        left = {InterruptedSave::Outcome::LeftAlone,
                fields->bytes("folder").value() + '/' + replacement->newName,
                QStringLiteral("not what the interrupted save left there")};
    else
        (void)fileio::syncFolder(replacement->folder.get());
    (void)::unlinkat(folder.fd(), name.constData(), 0);
    (void)fileio::syncFolder(folder.fd());
    return left;
}

} // namespace cindral
