// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

namespace cindral {

struct RecoveryRecord;

// How the next run tells an overwrite in place that was cut short from anything else that became
// of the file. The file is seen as blocks: cut every 4096 bytes (a page, the most a crash keeps or
// loses of a write at a time), at the old text's end and at the new text's end, so that each block
// lies wholly inside or wholly outside each text. Before the first byte is overwritten, the
// CRC-32 of every block of the old text goes into the recovery copy. After a kill or a power cut
// each block of the file then holds, wherever the system had got to, the new text or the old
// one; where the file grew, the new text or zeros. Any other content is someone else's.
namespace overwriteblocks {

inline constexpr qint64 blockSize = 4096;

// The number of blocks of the old text.
[[nodiscard]] qint64 countOfOld(qint64 oldLength, qint64 newLength);

// Writes the checksums of the old text's blocks, read from `file`, to the end of `copy`.
void writeChecksums(int file, qint64 oldLength, qint64 newLength, int copy);

enum class Found
{
    NotBegun,    // the old text, untouched
    Interrupted, // the new text over part of the old
    Done,        // the new text, whole
    Changed,     // something else
};

// What the file open as `file` holds, against the copy open as `copy` that `record` describes.
// Throws Failure when either cannot be read.
[[nodiscard]] Found judge(int file, int copy, const RecoveryRecord& record);

} // namespace overwriteblocks
} // namespace cindral
