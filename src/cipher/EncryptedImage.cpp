#include "cipher/EncryptedImage.h"

#include "cipher/Failure.h"
#include "cipher/Fingerprint.h"
#include "cipher/ShiftCipher.h"

#include <utility>

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

EncryptedImage::EncryptedImage(QByteArray body, int pwdavg)
    : m_body(std::move(body)), m_trailer(QByteArray::number(pwdavg))
{}

std::array<QByteArrayView, 3> EncryptedImage::pieces() const
{
    return {QByteArrayView(&marker, 1), QByteArrayView(m_body), QByteArrayView(m_trailer)};
}

FileStatus chkencrypted(QByteArrayView filetext)
{
    return !filetext.isEmpty() && filetext.front() == marker ? FileStatus::Encrypted
                                                             : FileStatus::NotEncrypted;
}

PasswordCheck chkpwd(QByteArray& filetext, QByteArrayView password)
{
    if (filetext.isEmpty() || !isDecimalDigit(filetext.back()))
        throw Failure(FailureNumber::TypeMismatch, "the file ends without a password trailer");
    const QByteArray trailer = QByteArray::number(pwd(password));
    const QByteArrayView afterMarker = QByteArrayView(filetext).sliced(1);
    if (!afterMarker.endsWith(trailer))
        return wrongPassword;
    const QByteArrayView body = afterMarker.chopped(trailer.size());
    if (!body.isEmpty() && !endsWithShiftedLineEnd(body, shiftOf(password)))
        return wrongPassword;
    const auto digitcount = static_cast<qint16>(trailer.size());
    remv(filetext, digitcount);
    return {Verdict::Match, digitcount};
}

void remv(QByteArray& filetext, qint16 digitcount)
{
    filetext.chop(digitcount);
    // Taking off the first byte of an unshared array moves its start, not its content.
    filetext.remove(0, 1);
}

} // namespace cindral::cipher
