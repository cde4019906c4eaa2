// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/TextSink.h"

#include "files/FileIo.h"

namespace cindral {

TextSink::TextSink(Kind kind, int fd, quint32* checksum)
    : m_kind(kind), m_fd(fd), m_checksum(checksum)
{}

void TextSink::write(QByteArrayView piece)
{
    if (m_kind == Kind::Discard)
        return;
    fileio::writeAll(m_fd, piece);
    if (m_checksum)
        *m_checksum = fileio::checksumOf(piece, *m_checksum);
}

} // namespace cindral
