// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/TextSink.h"

#include "operations/FileIo.h"

namespace cindral {

TextSink::TextSink(Kind kind, int fd) : m_kind(kind), m_fd(fd) {}

void TextSink::write(QByteArrayView piece)
{
    if (m_kind == Kind::File)
        fileio::writeAll(m_fd, piece);
}

} // namespace cindral
