// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QtGlobal>

namespace cindral {

// Where a new text is written, one piece after the other, by the producer savetext is given.
class TextSink
{
public:
    enum class Kind
    {
        File,
        Discard, // the text is made, and checked on the way, but kept nowhere
    };

    // With a `checksum`, everything written is added to it as well.
    TextSink(Kind kind, int fd, QCryptographicHash* checksum = nullptr);

    // Writes the whole piece; throws Failure when the file takes no more (a full disk, the
    // file-size limit) or cannot be written.
    void write(QByteArrayView piece);

private:
    Kind m_kind;
    int m_fd;
    QCryptographicHash* m_checksum;
};

} // namespace cindral
