// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/Cp1252.h"

#include <algorithm>
#include <array>

namespace cindral::cp1252 {

namespace {

constexpr char16_t firstUpperByte = 0x80;
constexpr char16_t firstLatin1Byte = 0xA0;
constexpr char16_t lastByte = 0xFF;

// The characters of the bytes 0x80 to 0x9F. The five bytes the page leaves undefined stand for
// the control characters of the same number, so that they still round-trip.
constexpr std::array<char16_t, 32> upperCharacters = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

std::optional<char> byteOf(QChar ch)
{
    const char16_t code = ch.unicode();
    if (code < firstUpperByte || (code >= firstLatin1Byte && code <= lastByte))
        return static_cast<char>(code);
    const auto* found = std::find(upperCharacters.begin(), upperCharacters.end(), code);
    if (found == upperCharacters.end())
        return std::nullopt;
    return static_cast<char>(firstUpperByte + (found - upperCharacters.begin()));
}

} // namespace

bool canEncode(QChar ch)
{
    return byteOf(ch).has_value();
}

std::optional<QByteArray> encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const std::optional<char> byte = byteOf(ch);
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

} // namespace cindral::cp1252
