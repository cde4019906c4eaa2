// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/EncryptedFileLayout.h"

#include "base/Failure.h"
#include "cipher/Fingerprint.h"
#include "cipher/ShiftCipher.h"

namespace cindral::cipher {

namespace {

constexpr int carriageReturn = 13;
constexpr int lineFeed = 10;
constexpr PasswordCheck wrongPassword{Verdict::WrongPassword, 0};

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Every body the encryption writes ends with its CR LF shifted up. Checking for it keeps digits
// that a small shift puts into the body from being taken for the trailer, and refuses a password
// that shares the fingerprint but not the shift.
bool endsWithShiftedLineEnd(QByteArrayView body, int shift)
{
    if (body.size() < 2)
        return false;
    return static_cast<unsigned char>(body[body.size() - 2]) == carriageReturn + shift &&
           static_cast<unsigned char>(body.back()) == lineFeed + shift;
}

} // namespace

QByteArray trailerOf(int pwdavg)
{
    return QByteArray::number(pwdavg);
}

FileStatus chkencrypted(QByteArrayView textStart)
{
    return !textStart.isEmpty() && textStart.front() == marker ? FileStatus::Encrypted
                                                               : FileStatus::NotEncrypted;
}

// A tail shorter than the whole text starts inside the body; taking its first character for the
// marker then changes nothing: the trailer and the two characters before it still lie after it.
PasswordCheck chkpwd(QByteArrayView tail, QByteArrayView password)
{
    if (tail.isEmpty() || !isDecimalDigit(tail.back()))
        throw Failure(FailureNumber::TypeMismatch, "the file ends without a password trailer");
    const QByteArray trailer = trailerOf(pwd(password));
    const QByteArrayView afterMarker = tail.sliced(1);
    if (!afterMarker.endsWith(trailer))
        return wrongPassword;
    const QByteArrayView body = afterMarker.chopped(trailer.size());
    if (!body.isEmpty() && !endsWithShiftedLineEnd(body, shiftOf(password)))
        return wrongPassword;
    return {Verdict::Match, static_cast<qint16>(trailer.size())};
}

} // namespace cindral::cipher
