// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/TextSink.h"

#include "operations/FileFailure.h"

#include <cerrno>
#include <unistd.h>

namespace cindral {

TextSink::TextSink(Kind kind, int fd) : m_kind(kind), m_fd(fd) {}

void TextSink::write(QByteArrayView piece)
{
    if (m_kind == Kind::Discard)
        return;
    while (!piece.isEmpty()) {
        const ssize_t done = ::write(m_fd, piece.data(), static_cast<size_t>(piece.size()));
        if (done < 0 && errno == EINTR)
            continue;
        // A write that takes nothing without an error has run out of room.
        if (done <= 0)
            throw filefailure::fromErrno(done < 0 ? errno : ENOSPC, "cannot write");
        piece = piece.sliced(done);
    }
}

} // namespace cindral
