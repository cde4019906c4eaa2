// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <span>

// The fixed shift of every character code. Texts are bytes: one character code (0..255) a byte.
// The shift works on one piece of a text at a time, in place: the pieces of a text shifted one
// after the other give the text shifted whole.
namespace cindral::cipher {

// Code of the password's third character plus its length, never reduced modulo 256.
// Throws Failure(IllegalCharacter) for a password of fewer than three characters.
[[nodiscard]] int shiftOf(QByteArrayView password);

// Raises every code of `secret` by the shift of `password`. The whole piece is shifted first and
// judged after: Failure(IllegalCharacter) when a code would exceed 255 (naming the piece's
// highest code) or become a CR (13), which an encrypted body never holds (naming the code that
// would); the piece is then left shifted whole, codes beyond 255 wrapped round, and must be
// discarded. A shift above 255 fails at the first code, before anything is shifted. An empty
// piece is no failure under any password.
void Encrypt(std::span<char> secret, QByteArrayView password);

// Lowers every code by the shift; Failure(IllegalCharacter), naming the piece's lowest code, when
// a code would fall below 0. Otherwise as Encrypt.
void decript(std::span<char> secret, QByteArrayView password);

} // namespace cindral::cipher
