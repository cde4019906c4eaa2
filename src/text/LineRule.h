// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/LineEnds.h"

#include <QByteArray>
#include <QByteArrayView>
#include <span>

namespace cindral {

// The rule by which a file's bytes become the loaded text, applied to the file a piece at a time:
// a line ends at CR LF or at a lone CR; an LF alone is an ordinary character; a final line end
// adds no empty line. Append puts CR LF after every line, Join drops the line ends. A CR at the
// end of one piece and an LF at the start of the next are one line end.
// LoadedText::lastJoined applies the Join rule a second time, backwards from the end of the file,
// for the password check, and firstJoined forwards from its start, for rekey's marker test of the
// decrypted text: a change to the rule here is a change there too.
class LineRule
{
public:
    explicit LineRule(LineEnds lineEnds);

    // The loaded text of the next piece of the file. The caller keeps one spare byte in front of
    // `piece`, which Append may write (piece.data()[-1]): the LF of a lone CR that ended the last
    // piece, so that the piece need not be copied. LoadedText keeps that byte before every piece
    // it reads. The result lies in the piece and its spare byte or, when lone CRs inside make it
    // grow, in `spare`.
    [[nodiscard]] std::span<char> apply(std::span<char> piece, QByteArray& spare);

    // What the loaded text gains after the file's last byte: the line end its last line lacks.
    [[nodiscard]] QByteArrayView finish() const;

private:
    [[nodiscard]] static std::span<char> appendLineEnds(std::span<char> piece, bool afterCr,
                                                        QByteArray& spare);
    [[nodiscard]] static std::span<char> joinLines(std::span<char> piece, bool afterCr);

    LineEnds m_lineEnds;
    bool m_afterCr = false;  // the last byte so far was a CR
    bool m_lineOpen = false; // bytes of a line have come since the last line end
};

} // namespace cindral
