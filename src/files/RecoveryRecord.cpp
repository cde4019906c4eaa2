// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecoveryRecord.h"

#include "files/FileIo.h"
#include "files/RecordText.h"

namespace cindral {
namespace {

constexpr qsizetype lengthDigits = 10;
constexpr qint64 longestRecord = 1 << 20;
const QByteArray heading = "cindral recovery 2";

[[nodiscard]] std::optional<RecoveryRecord> parsed(const QByteArray& text)
{
    const std::optional<RecordText> fields = RecordText::parsed(heading, text);
    if (!fields)
        return std::nullopt;
    const auto saved = fields->number("saved");
    const auto device = fields->number("device");
    const auto inode = fields->number("inode");
    const auto oldLength = fields->number("old-length");
    const auto length = fields->number("length");
    const auto checksum = fields->number("crc32");
    const auto blocks = fields->number("blocks");
    const auto path = fields->bytes("path");
    if (!saved || !device || !inode || !oldLength || !length || !checksum || !blocks || !path)
        return std::nullopt;
    RecoveryRecord record;
    record.saved = *saved;
    record.device = static_cast<dev_t>(*device);
    record.inode = static_cast<ino_t>(*inode);
    record.oldLength = *oldLength;
    record.length = *length;
    record.checksum = static_cast<quint32>(*checksum);
    record.blockCount = *blocks;
    record.path = *path;
    const auto bornSeconds = fields->number("born");
    const auto bornNanoseconds = fields->number("born-ns");
    if (bornSeconds && bornNanoseconds)
        record.born = timespec{*bornSeconds, *bornNanoseconds};
    return record;
}

} // namespace

QByteArray RecoveryRecord::encoded() const
{
    RecordText text(heading);
    text.add("saved", saved);
    text.add("device", static_cast<qint64>(device));
    text.add("inode", static_cast<qint64>(inode));
    text.add("old-length", oldLength);
    text.add("length", length);
    text.add("crc32", checksum);
    text.add("blocks", blockCount);
    if (born) {
        text.add("born", born->tv_sec);
        text.add("born-ns", born->tv_nsec);
    }
    text.addBytes("path", path);
    return text.text() + QByteArray::number(text.text().size()).rightJustified(lengthDigits, '0');
}

std::optional<RecoveryRecord> RecoveryRecord::readFrom(int fd)
{
    const qint64 size = fileio::statOf(fd).st_size;
    QByteArray digits(lengthDigits, Qt::Uninitialized);
    if (size < lengthDigits ||
        fileio::readAt(fd, digits.data(), lengthDigits, size - lengthDigits) != lengthDigits)
        return std::nullopt;
    bool valid = false;
    const qint64 textSize = digits.toLongLong(&valid);
    if (!valid || textSize <= 0 || textSize > size - lengthDigits || textSize > longestRecord)
        return std::nullopt;
    QByteArray text(textSize, Qt::Uninitialized);
    const qint64 at = size - lengthDigits - textSize;
    if (fileio::readAt(fd, text.data(), textSize, at) != textSize)
        return std::nullopt;
    std::optional<RecoveryRecord> record = parsed(text);
    // The new text and the checksums fill the copy up to the record, no more and no less.
    const bool fits = record && record->length <= at && record->blockCount <= at / 4 &&
                      record->length + 4 * record->blockCount == at;
    return fits ? record : std::nullopt;
}

} // namespace cindral
