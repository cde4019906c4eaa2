// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <array>
#include <span>

namespace cindral::cipher {

// Takes the marker and the trailer off an image read piece by piece (remv), so that what it
// passes on, piece after piece, is exactly the body. The trailer's length is known from the
// password check; its characters are held back until the image has ended, when they are dropped.
class ImageBody
{
public:
    explicit ImageBody(qint16 digitcount);

    // The body in the next piece of the image: characters held back from earlier pieces, then
    // those of `piece` that are certainly body. Both may be shifted in place before the next call.
    [[nodiscard]] std::array<std::span<char>, 2> remv(std::span<char> piece);

private:
    static constexpr qsizetype longestTrailer = 3;

    qsizetype m_trailerLength;
    bool m_markerTaken = false;
    std::array<char, longestTrailer> m_held{};
    qsizetype m_heldCount = 0;
    std::array<char, 2 * longestTrailer> m_passed{};
};

} // namespace cindral::cipher
