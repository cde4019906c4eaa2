// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/LoadedText.h"

#include "files/FileIo.h"

#include <algorithm>
#include <array>

namespace cindral {

namespace {

constexpr char cr = '\r';
constexpr char lf = '\n';

} // namespace

LoadedText::LoadedText(OpenedFile file, LineEnds lineEnds, qsizetype pieceSize)
    : m_file(std::move(file)), m_rule(lineEnds), m_buffer(pieceSize + 1, Qt::Uninitialized),
      m_fileSize(m_file.opened().st_size)
{
    advance();
}

void LoadedText::advance()
{
    m_piece = {};
    while (m_piece.empty() && !m_fileEnded) {
        char* const start = m_buffer.data() + 1;
        const qsizetype got = fileio::readSome(m_file.fd(), start, m_buffer.size() - 1);
        if (got == 0) {
            m_fileEnded = true;
            m_ending = m_rule.finish().toByteArray();
            m_piece = std::span(m_ending.data(), static_cast<size_t>(m_ending.size()));
            return;
        }
        m_bytesRead += got;
        m_piece = m_rule.apply(std::span(start, static_cast<size_t>(got)), m_spare);
    }
}

// Joining drops every CR and each LF right after a CR.
QByteArray LoadedText::firstJoined(qsizetype count) const
{
    QByteArray joined;
    std::array<char, 4096> block{};
    bool afterCr = false;
    for (qint64 from = 0; joined.size() < count;) {
        const qsizetype got = fileio::readAt(m_file.fd(), block.data(), block.size(), from);
        if (got == 0)
            break;
        for (qsizetype at = 0; at < got && joined.size() < count; ++at) {
            const char byte = block[at];
            if (byte != cr && !(byte == lf && afterCr))
                joined.append(byte);
            afterCr = byte == cr;
        }
        from += got;
    }
    return joined;
}

// From the end backwards, a byte is kept unless it is a CR or an LF whose byte before is a CR.
QByteArray LoadedText::lastJoined(qsizetype count) const
{
    QByteArray reversed;
    std::array<char, 4096> block{};
    qint64 end = fileio::statOf(m_file.fd()).st_size;
    while (end > 0 && reversed.size() < count) {
        // One byte more in front, to see what comes before the block's first byte.
        const qint64 start = std::max<qint64>(end - static_cast<qint64>(block.size()) + 1, 0);
        const qint64 from = std::max<qint64>(start - 1, 0);
        const qsizetype got = fileio::readAt(m_file.fd(), block.data(), end - from, from);
        for (qint64 at = std::min(end, from + got) - 1; at >= start && reversed.size() < count;
             --at) {
            const char byte = block[at - from];
            const bool lineEnd = byte == cr || (byte == lf && at > 0 && block[at - 1 - from] == cr);
            if (!lineEnd)
                reversed.append(byte);
        }
        end = start;
    }
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

} // namespace cindral
