// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <ctime>
#include <optional>
#include <sys/types.h>

namespace cindral {

// What a recovery copy is for, kept at the copy's end. The copy holds, in this order, the new
// text, the checksums of the old text's blocks (see OverwriteBlocks), this record as text and the
// record's length in ten digits, so that it can be found from the end. The record names the file
// (device, inode, birth and the path it was found at) and says what it was at the last check
// before the overwrite and what the new text is, so that the next run can tell this save's own
// interrupted overwrite from anything else that became of the file.
struct RecoveryRecord
{
    qint64 saved = 0; // when the record was made, in nanoseconds since 1970: the later save wins
    dev_t device = 0;
    ino_t inode = 0;
    std::optional<timespec> born;
    qint64 oldLength = 0;
    qint64 length = 0;     // of the new text
    quint32 checksum = 0;  // CRC-32 of the new text
    qint64 blockCount = 0; // of the old text's checksums
    QByteArray path;

    [[nodiscard]] QByteArray encoded() const;
    // The record at the end of the copy open as `fd`; std::nullopt when it has none that fits
    // the copy.
    [[nodiscard]] static std::optional<RecoveryRecord> readFrom(int fd);
    // Where the old text's checksums begin in the copy.
    [[nodiscard]] qint64 checksumsAt() const { return length; }
};

} // namespace cindral
