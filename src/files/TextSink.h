// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace cindral {

// Where a new text is written, one piece after the other: a file, by the producer savetext is
// given, or a stream, or nowhere.
class TextSink
{
public:
    enum class Kind
    {
        File,
        Discard, // the text is made, and checked on the way, but kept nowhere
    };

    // With a `checksum`, it becomes the CRC-32 of everything written, from the value it holds.
    TextSink(Kind kind, int fd, quint32* checksum = nullptr);

    // Writes the whole piece; throws Failure when the file takes no more (a full disk, the
    // file-size limit) or cannot be written.
    void write(QByteArrayView piece);

private:
    Kind m_kind;
    int m_fd;
    quint32* m_checksum;
};

} // namespace cindral
