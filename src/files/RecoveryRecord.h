// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <optional>
#include <sys/types.h>

namespace cindral {

// What a recovery copy is for, kept at the copy's end after the new text: the file (device,
// inode and the path it was found at, as bytes), the new text's length and its SHA-1. The copy
// ends with the record's own length in ten digits, so it can be found from the end.
struct RecoveryRecord
{
    dev_t device = 0;
    ino_t inode = 0;
    qint64 length = 0;
    QByteArray sha1;
    QByteArray path;

    [[nodiscard]] QByteArray encoded() const;
    // The record at the end of the copy open as `fd`; std::nullopt when it has none.
    [[nodiscard]] static std::optional<RecoveryRecord> readFrom(int fd);
};

} // namespace cindral
