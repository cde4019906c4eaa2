#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The fixed shift of every character code. Texts are bytes: one character code (0..255) a byte.
namespace cindral::cipher {

// Code of the password's third character plus its length, never reduced modulo 256.
// Throws Failure(IllegalCharacter) for a password of fewer than three characters.
[[nodiscard]] int shiftOf(QByteArrayView password);

// Raises every code of `secret` by the shift of `password`; works in place on the buffer it is
// given, so pass it by std::move to avoid a copy. Throws Failure(IllegalCharacter) at the first
// code that would exceed 255 or become a CR (13), which an encrypted body never holds. An empty
// text gives an empty result under any password.
[[nodiscard]] QByteArray Encrypt(QByteArray secret, QByteArrayView password);

// Lowers every code by the shift; Failure(IllegalCharacter) at the first code that would fall
// below 0. Otherwise as Encrypt.
[[nodiscard]] QByteArray decript(QByteArray secret, QByteArrayView password);

} // namespace cindral::cipher
