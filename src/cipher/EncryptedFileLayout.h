// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// The layout of an encrypted file (the image), marker byte 169, the shifted body, then the
// password's fingerprint in decimal digits, with no length field and no separator; and the two
// checks made on it, the marker test chkencrypted and the password check chkpwd.
namespace cindral::cipher {

inline constexpr char marker = static_cast<char>(169); // "d" (100) + "E" (69)

// As many characters of an image's end as the password check reads: the longest trailer (3
// digits), the shifted CR LF that ends every body before it, and one more, so that a shorter
// image is seen whole, marker included.
inline constexpr qsizetype checkedTailLength = 6;

enum class FileStatus
{
    NotEncrypted,
    Encrypted,
};

enum class Verdict
{
    Match,
    WrongPassword,
};

struct PasswordCheck
{
    Verdict verdict = Verdict::WrongPassword;
    qint16 digitcount = 0; // length of the trailer that matched; 0 on a wrong password
};

// The trailer of an image made under a password of fingerprint `pwdavg`.
[[nodiscard]] QByteArray trailerOf(int pwdavg);

// Encrypted when the loaded text begins with the marker; `textStart` is any beginning of the
// loaded text, the first piece read say. An empty text is not encrypted.
[[nodiscard]] FileStatus chkencrypted(QByteArrayView textStart);

// The password check of a decryption, on the last checkedTailLength characters of a loaded text
// that chkencrypted found encrypted (all of it when it is shorter). The typed password matches
// when the text after the marker ends with the password's fingerprint in decimal, and what lies
// between marker and those digits is empty or ends with CR and LF shifted by the password's
// shift (every body the encryption writes ends so).
// Throws Failure(TypeMismatch) when the text's last character is not a decimal digit; the
// password's fingerprint fails as pwd does, and its shift (needed only for a non-empty body) as
// shiftOf does.
[[nodiscard]] PasswordCheck chkpwd(QByteArrayView tail, QByteArrayView password);

} // namespace cindral::cipher
