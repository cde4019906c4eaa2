// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecoveryRecord.h"

#include "files/FileIo.h"

#include <QByteArrayList>

namespace cindral {
namespace {

constexpr qsizetype lengthDigits = 10;
const QByteArray heading = "cindral recovery 1";

// "name value", the value a whole number.
[[nodiscard]] std::optional<qint64> numberIn(const QByteArray& line, const QByteArray& name)
{
    bool valid = false;
    const qint64 value =
        line.startsWith(name + ' ') ? line.mid(name.size() + 1).toLongLong(&valid) : 0;
    return valid && value >= 0 ? std::optional(value) : std::nullopt;
}

[[nodiscard]] std::optional<RecoveryRecord> parsed(const QByteArray& text)
{
    // The path comes last and may hold any byte, line ends too.
    const QByteArrayList lines = text.split('\n').mid(0, 5);
    const qsizetype pathAt = text.indexOf("\npath ") + 6;
    if (lines.size() < 5 || lines[0] != heading || pathAt < 6 || !lines[4].startsWith("sha1 "))
        return std::nullopt;
    const auto device = numberIn(lines[1], "device");
    const auto inode = numberIn(lines[2], "inode");
    const auto length = numberIn(lines[3], "length");
    if (!device || !inode || !length)
        return std::nullopt;
    return RecoveryRecord{static_cast<dev_t>(*device), static_cast<ino_t>(*inode), *length,
                          QByteArray::fromHex(lines[4].mid(5)), text.mid(pathAt)};
}

} // namespace

QByteArray RecoveryRecord::encoded() const
{
    const QByteArray text = heading + "\ndevice " + QByteArray::number(quint64{device}) +
                            "\ninode " + QByteArray::number(quint64{inode}) + "\nlength " +
                            QByteArray::number(length) + "\nsha1 " + sha1.toHex() + "\npath " +
                            path;
    return text + QByteArray::number(text.size()).rightJustified(lengthDigits, '0');
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
    if (!valid || textSize <= 0 || textSize > size - lengthDigits || textSize > 1 << 20)
        return std::nullopt;
    QByteArray text(textSize, Qt::Uninitialized);
    const qint64 at = size - lengthDigits - textSize;
    if (fileio::readAt(fd, text.data(), textSize, at) != textSize)
        return std::nullopt;
    std::optional<RecoveryRecord> record = parsed(text);
    return record && record->length == at ? record : std::nullopt;
}

} // namespace cindral
