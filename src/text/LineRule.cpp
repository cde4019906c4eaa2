// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/LineRule.h"

#include <cstring>

namespace cindral {

namespace {

constexpr char cr = '\r';
constexpr char lf = '\n';

// Whether a CR that is not followed by LF lies before the piece's last byte (whose follower is
// in the next piece). Checked a block at a time without branching, so the compiler vectorises it:
// text with CR LF line ends has a CR every few dozen bytes.
[[nodiscard]] bool hasLoneCrInside(const char* piece, qsizetype size)
{
    constexpr qsizetype block = 256;
    qsizetype at = 0;
    for (; at + block < size; at += block) {
        const char* const part = piece + at;
        unsigned char found = 0;
        for (qsizetype i = 0; i < block; ++i)
            found |= static_cast<unsigned char>(part[i] == cr) &
                     static_cast<unsigned char>(part[i + 1] != lf);
        if (found != 0)
            return true;
    }
    for (; at + 1 < size; ++at) {
        if (piece[at] == cr && piece[at + 1] != lf)
            return true;
    }
    return false;
}

} // namespace

LineRule::LineRule(LineEnds lineEnds) : m_lineEnds(lineEnds) {}

std::span<char> LineRule::apply(std::span<char> piece, QByteArray& spare)
{
    if (piece.empty())
        return piece;
    const bool afterCr = m_afterCr;
    const char last = piece.back();
    const char beforeLast = piece.size() > 1 ? piece[piece.size() - 2] : (afterCr ? cr : 0);
    m_afterCr = last == cr;
    m_lineOpen = last != cr && !(last == lf && beforeLast == cr);
    return m_lineEnds == LineEnds::Append ? appendLineEnds(piece, afterCr, spare)
                                          : joinLines(piece, afterCr);
}

QByteArrayView LineRule::finish() const
{
    if (m_lineEnds == LineEnds::Join)
        return {};
    if (m_afterCr)
        return "\n"; // the file ended with a lone CR, already passed on
    return m_lineOpen ? "\r\n" : "";
}

// Every CR passes on followed by an LF: its own, or one put after a lone CR.
std::span<char> LineRule::appendLineEnds(std::span<char> piece, bool afterCr, QByteArray& spare)
{
    const bool loneCrBefore = afterCr && piece.front() != lf;
    const auto size = static_cast<qsizetype>(piece.size());
    if (!hasLoneCrInside(piece.data(), size)) {
        if (!loneCrBefore)
            return piece;
        piece.data()[-1] = lf; // the spare byte the caller keeps in front, see apply()
        return {piece.data() - 1, piece.size() + 1};
    }
    spare.resize(2 * size + 1);
    char* out = spare.data();
    if (loneCrBefore)
        *out++ = lf;
    for (qsizetype at = 0; at < size; ++at) {
        *out++ = piece[at];
        if (piece[at] == cr && at + 1 < size && piece[at + 1] != lf)
            *out++ = lf;
    }
    return {spare.data(), static_cast<size_t>(out - spare.data())};
}

// Drops every CR and the LF that follows one, moving what is left towards the front.
std::span<char> LineRule::joinLines(std::span<char> piece, bool afterCr)
{
    char* const begin = piece.data();
    const char* const end = begin + piece.size();
    const char* in = afterCr && *begin == lf ? begin + 1 : begin;
    if (in == begin && std::memchr(begin, cr, piece.size()) == nullptr)
        return piece;
    char* out = begin;
    while (in < end) {
        const auto* found = static_cast<const char*>(std::memchr(in, cr, end - in));
        const char* lineEnd = found ? found : end;
        std::memmove(out, in, lineEnd - in);
        out += lineEnd - in;
        if (!found)
            break;
        in = found + 1;
        if (in < end && *in == lf)
            ++in;
    }
    return {begin, static_cast<size_t>(out - begin)};
}

} // namespace cindral
