// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/LineEnds.h"

#include <QByteArray>
#include <QByteArrayView>
#include <span>

namespace cindral {

// The rule by which a file's bytes become the loaded text, applied to the file a piece at a time:
// a line ends at CR LF or at a lone CR; an LF alone is an ordinary character; a final line end
// adds no empty line. Append puts CR LF after every line, Join drops the line ends. A CR at the
// end of one piece and an LF at the start of the next are one line end.
class LineRule
{
public:
    explicit LineRule(LineEnds lineEnds);

    // The loaded text of the next piece of the file. `piece` has one spare byte in front of it
    // (piece.data()[-1] may be written); the result lies in it or, when lone CRs make it grow,
    // in `spare`.
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
