#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <array>

// The layout of an encrypted file: marker byte 169, the shifted body, then the password's
// fingerprint in decimal digits. No length field, no separator.
namespace cindral::cipher {

inline constexpr char marker = static_cast<char>(169); // "d" (100) + "E" (69)

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

// The image as three pieces, written one after the other without joining them into a copy.
class EncryptedImage
{
public:
    EncryptedImage(QByteArray body, int pwdavg);

    [[nodiscard]] std::array<QByteArrayView, 3> pieces() const;

private:
    QByteArray m_body;
    QByteArray m_trailer;
};

// Encrypted when the first byte is the marker; an empty text is not encrypted.
[[nodiscard]] FileStatus chkencrypted(QByteArrayView filetext);

// The password check of a decryption, on a text that chkencrypted found encrypted. The typed
// password matches when the text after its marker ends with the password's fingerprint in
// decimal, and what lies between marker and those digits is empty or ends with CR and LF
// shifted by the password's shift (every body the encryption writes ends so). On a match the
// marker and those digits are stripped from `filetext` (remv), leaving the body.
// Throws Failure(TypeMismatch) when the text's last character is not a decimal digit; the
// password's fingerprint fails as pwd does, and its shift (needed only for a non-empty body) as
// shiftOf does. A wrong password leaves `filetext` as it was.
[[nodiscard]] PasswordCheck chkpwd(QByteArray& filetext, QByteArrayView password);

// Takes the trailer of `digitcount` characters and the marker off `filetext`, in place.
void remv(QByteArray& filetext, qint16 digitcount);

} // namespace cindral::cipher
