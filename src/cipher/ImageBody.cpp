// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/ImageBody.h"

#include <algorithm>
#include <utility>

namespace cindral::cipher {

ImageBody::ImageBody(qint16 digitcount)
    : m_trailerLength(std::clamp<qsizetype>(digitcount, 0, longestTrailer))
{}

std::array<std::span<char>, 2> ImageBody::remv(std::span<char> piece)
{
    if (!m_markerTaken && !piece.empty()) {
        piece = piece.subspan(1);
        m_markerTaken = true;
    }
    const auto pieceSize = static_cast<qsizetype>(piece.size());
    if (pieceSize >= m_trailerLength) {
        // What was held is body now; the end of this piece may be the trailer.
        std::copy_n(m_held.begin(), m_heldCount, m_passed.begin());
        const qsizetype passedCount = std::exchange(m_heldCount, m_trailerLength);
        std::copy(piece.end() - m_trailerLength, piece.end(), m_held.begin());
        return {std::span(m_passed.data(), passedCount),
                piece.first(static_cast<size_t>(pieceSize - m_trailerLength))};
    }
    // A piece shorter than the trailer: it joins what is held, and what is then more than a
    // trailer's length from the end is body.
    std::array<char, 2 * longestTrailer> joined{};
    std::copy_n(m_held.begin(), m_heldCount, joined.begin());
    std::copy(piece.begin(), piece.end(), joined.begin() + m_heldCount);
    const qsizetype joinedCount = m_heldCount + pieceSize;
    const qsizetype passedCount = std::max<qsizetype>(joinedCount - m_trailerLength, 0);
    std::copy_n(joined.begin(), passedCount, m_passed.begin());
    m_heldCount = joinedCount - passedCount;
    std::copy_n(joined.begin() + passedCount, m_heldCount, m_held.begin());
    return {std::span(m_passed.data(), passedCount), std::span<char>()};
}

} // namespace cindral::cipher
