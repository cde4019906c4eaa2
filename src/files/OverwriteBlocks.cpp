// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/OverwriteBlocks.h"

#include "files/FileFailure.h"
#include "files/FileIo.h"
#include "files/PieceSize.h"
#include "files/RecoveryRecord.h"

#include <QByteArray>
#include <QtEndian>
#include <algorithm>

namespace cindral::overwriteblocks {
namespace {

[[nodiscard]] qint64 endOf(qint64 at, qint64 oldLength, qint64 newLength)
{
    qint64 end = (at / blockSize + 1) * blockSize;
    for (const qint64 cut : {oldLength, newLength}) {
        if (at < cut && cut < end)
            end = cut;
    }
    return end;
}

// Hands out a file's bytes block by block, in order, reading a piece at a time.
class BlockReader
{
public:
    BlockReader(int fd, qint64 offset = 0)
        : m_fd(fd), m_offset(offset), m_buffer(defaultPieceSize, Qt::Uninitialized)
    {}

    // The bytes of [begin, end), fewer where the file ends first.
    [[nodiscard]] QByteArrayView bytes(qint64 begin, qint64 end)
    {
        const bool fileEnded = m_size < m_buffer.size();
        if (begin < m_start || begin > m_start + m_size || (end > m_start + m_size && !fileEnded)) {
            m_start = begin;
            m_size = fileio::readAt(m_fd, m_buffer.data(), m_buffer.size(), m_offset + begin);
        }
        const qint64 held = std::clamp<qint64>(m_start + m_size - begin, 0, end - begin);
        return QByteArrayView(m_buffer).sliced(begin - m_start, held);
    }

private:
    int m_fd;
    qint64 m_offset;
    QByteArray m_buffer;
    qint64 m_start = 0;
    qint64 m_size = -1; // nothing read yet
};

[[nodiscard]] bool isZeros(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return byte == 0; });
}

} // namespace

qint64 countOfOld(qint64 oldLength, qint64 newLength)
{
    qint64 count = 0;
    for (qint64 at = 0; at < oldLength; at = endOf(at, oldLength, newLength))
        ++count;
    return count;
}

void writeChecksums(int file, qint64 oldLength, qint64 newLength, int copy)
{
    BlockReader old(file);
    QByteArray checksums;
    for (qint64 at = 0; at < oldLength;) {
        const qint64 end = endOf(at, oldLength, newLength);
        const QByteArrayView block = old.bytes(at, end);
        if (block.size() != end - at)
            throw filefailure::changed();
        const quint32 checksum = qToBigEndian(fileio::checksumOf(block));
        checksums.append(reinterpret_cast<const char*>(&checksum), sizeof checksum);
        if (checksums.size() >= defaultPieceSize || end == oldLength) {
            fileio::writeAll(copy, checksums);
            checksums.clear();
        }
        at = end;
    }
}

Found judge(int file, int copy, const RecoveryRecord& record)
{
    const qint64 oldLength = record.oldLength;
    const qint64 newLength = record.length;
    const qint64 size = fileio::statOf(file).st_size;
    if (size < std::min(oldLength, newLength) || size > std::max(oldLength, newLength))
        return Found::Changed;
    BlockReader held(file);
    BlockReader newText(copy);
    BlockReader checksums(copy, record.checksumsAt());
    bool allOld = size == oldLength;
    bool allNew = size == newLength;
    qint64 index = 0;
    for (qint64 at = 0; at < std::max(oldLength, newLength);) {
        const qint64 end = endOf(at, oldLength, newLength);
        const QByteArrayView block = held.bytes(at, end);
        const bool inOld = at < oldLength;
        const bool inNew = at < newLength;
        const bool gone = block.isEmpty();
        const bool asNew = inNew && block == newText.bytes(at, end);
        bool asOld = !inOld && isZeros(block); // where the file grew, not yet written
        if (inOld) {
            const QByteArrayView stored = checksums.bytes(4 * index, 4 * index + 4);
            ++index;
            asOld = block.size() == end - at && stored.size() == 4 &&
                    qFromBigEndian<quint32>(stored.data()) == fileio::checksumOf(block);
        }
        if (!asNew && !asOld && !(gone && !inNew))
            return Found::Changed;
        allOld = allOld && (inOld ? asOld : gone);
        allNew = allNew && (inNew ? asNew : gone);
        at = end;
    }
    return allOld ? Found::NotBegun : allNew ? Found::Done : Found::Interrupted;
}

} // namespace cindral::overwriteblocks
