// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/OpenedFile.h"
#include "text/LineRule.h"

#include <QByteArray>
#include <span>

namespace cindral {

// A text file's loaded text, read and passed on a piece at a time: memory stays the same
// whatever the file's size. The first piece is at hand as soon as the text exists.
class LoadedText
{
public:
    // Takes over an opened file; reads its first piece. Throws Failure when the file cannot be
    // read.
    LoadedText(OpenedFile file, LineEnds lineEnds, qsizetype pieceSize);

    // The file the text is read from, held until the text goes.
    [[nodiscard]] const OpenedFile& file() const { return m_file; }

    // The piece at hand, which the caller may change in place; empty once the text has ended.
    // Every piece but the end is non-empty.
    [[nodiscard]] std::span<char> piece() const { return m_piece; }
    [[nodiscard]] bool atEnd() const { return m_piece.empty(); }
    // Reads on to the next piece; throws Failure when the file cannot be read.
    void advance();

    // How much of the file has been read, and its size when it was opened.
    [[nodiscard]] qint64 bytesRead() const { return m_bytesRead; }
    [[nodiscard]] qint64 fileSize() const { return m_fileSize; }

    // The first or the last `count` characters of the text with its lines joined, or all of it
    // when it is shorter, read from the start or the end of the file whatever piece is at hand.
    [[nodiscard]] QByteArray firstJoined(qsizetype count) const;
    [[nodiscard]] QByteArray lastJoined(qsizetype count) const;

private:
    OpenedFile m_file;
    LineRule m_rule;
    // One spare byte, which LineRule::apply may write in front of the piece, then the piece.
    QByteArray m_buffer;
    QByteArray m_spare;  // the loaded text of a piece its lone CRs made grow
    QByteArray m_ending; // the line end a last line lacks, as the last piece
    std::span<char> m_piece;
    bool m_fileEnded = false;
    qint64 m_bytesRead = 0;
    qint64 m_fileSize = 0;
};

} // namespace cindral
