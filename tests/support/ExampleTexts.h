// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

// The tests' worked example: "Hi\r\n" under the password "abcde", whose shift is its third code
// plus its length, 99 + 5 = 104, and whose fingerprint is its average code, 495 / 5 = 99. An image
// is the marker, the shifted text ("ur": CR LF shifted by 104) and the fingerprint.
namespace example {

inline const QByteArray password = "abcde";
inline const QByteArray plain = "Hi\r\n";
inline const QByteArray image = "\xA9\xB0\xD1ur99";

// The image of the text `times` over (none for 0), under the password or one of the same shift
// whose fingerprint is given.
[[nodiscard]] inline QByteArray imageTimes(qsizetype times, const QByteArray& fingerprint = "99")
{
    return '\xA9' + QByteArray("\xB0\xD1ur").repeated(times) + fingerprint;
}

// The same under "zzzzz", the tests' other password: shift 122 + 5 = 127, fingerprint 122.
[[nodiscard]] inline QByteArray imageUnderZzzzz(qsizetype times)
{
    return '\xA9' + QByteArray("\xC7\xE8\x8C\x89").repeated(times) + "122";
}

// "ab\x03cd" shifts by 3 + 5 = 8, which would turn the code 5 into a CR, which decryption takes
// for a line end: a text that holds it is refused.
inline const QByteArray shift8Password = QByteArray("ab\x03") + "cd";
inline const QByteArray refusedUnderShift8 = "bell\x07here\x05x";

} // namespace example
