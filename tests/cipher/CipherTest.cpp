#include "cipher/EncryptedImage.h"
#include "cipher/Failure.h"
#include "cipher/Fingerprint.h"
#include "cipher/ShiftCipher.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace cindral::cipher {
namespace {

const QByteArray examplePassword = "ccccc"; // shift 99 + 5 = 104, fingerprint 495 / 5 = 99

// Bytes written as hexadecimal codes, blanks allowed between them: hex("A9 39 39").
QByteArray hex(const char* codes)
{
    return QByteArray::fromHex(codes);
}

std::optional<FailureNumber> failureOf(const auto& action)
{
    try {
        (void)action();
    } catch (const Failure& failure) {
        return failure.number();
    }
    return std::nullopt;
}

// The shifted text, or nullopt for failure 5.
std::optional<QByteArray> shifted(QByteArray (*shift)(QByteArray, QByteArrayView),
                                  const QByteArray& text, const QByteArray& password)
{
    if (failureOf([&] { return shift(text, password); }) == FailureNumber::IllegalCharacter)
        return std::nullopt;
    return shift(text, password);
}

QByteArray imageOf(const QByteArray& plain, const QByteArray& password)
{
    const EncryptedImage image(Encrypt(plain, password), pwd(password));
    QByteArray file;
    for (const QByteArrayView piece : image.pieces())
        file.append(piece);
    return file;
}

// The whole decryption as the tool does it; nullopt for a wrong password.
std::optional<QByteArray> decrypted(QByteArray filetext, const QByteArray& password)
{
    if (chkpwd(filetext, password).verdict == Verdict::WrongPassword)
        return std::nullopt;
    return decript(std::move(filetext), password);
}

// The older check, to compare against: every digit of the loaded text counts towards the
// trailer's length, and only the fingerprints are compared.
std::optional<QByteArray> decryptedByDigitCount(const QByteArray& filetext,
                                                const QByteArray& password)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto digits = std::count_if(filetext.begin(), filetext.end(), isDigit);
    const QByteArray taken = filetext.last(digits);
    if (digits == 0 || digits > 32767 || !std::all_of(taken.begin(), taken.end(), isDigit) ||
        taken.toInt() != pwd(password))
        return std::nullopt;
    try {
        return decript(filetext.sliced(1, filetext.size() - 1 - digits), password);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

// "abzdefghi" shifts by 122 + 9 = 131. The shift is never reduced modulo 256, and a password
// without a third character shifts only empty texts.
TEST(ShiftCipher, CodesMustStayWithin0To255)
{
    EXPECT_EQ(shifted(Encrypt, hex("97"), examplePassword), hex("FF"));
    EXPECT_EQ(shifted(Encrypt, hex("97 98"), examplePassword), std::nullopt);
    EXPECT_EQ(shifted(decript, hex("68"), examplePassword), hex("00"));
    EXPECT_EQ(shifted(decript, hex("C8 67"), examplePassword), std::nullopt);
    EXPECT_EQ(shifted(Encrypt, hex("7C"), "abzdefghi"), hex("FF"));
    EXPECT_EQ(shifted(Encrypt, hex("7D"), "abzdefghi"), std::nullopt);
    EXPECT_EQ(shifted(Encrypt, hex("7E"), "abzdefghi"), std::nullopt);
    EXPECT_EQ(shifted(Encrypt, hex("00"), hex("01 02 FF 04 05 06")), std::nullopt);
    EXPECT_EQ(shifted(decript, hex("FF"), hex("01 02 FF 04 05 06")), std::nullopt);
    EXPECT_EQ(shifted(Encrypt, "", "ab"), "");
    EXPECT_EQ(shifted(Encrypt, "x", "ab"), std::nullopt);
    // in the last of the pieces the shift works on
    EXPECT_EQ(shifted(Encrypt, QByteArray(40000, 'a') + '\x98', examplePassword), std::nullopt);
    EXPECT_EQ(shifted(decript, QByteArray(40000, '\xC8') + 'a', examplePassword), std::nullopt);
}

// Every code that fits, in several of the pieces the shift works on and a part of one.
TEST(ShiftCipher, MovedTextIsShiftedInPlaceAndBack)
{
    QByteArray text;
    QByteArray shifted;
    for (int i = 0; i < 50000; ++i) {
        text.append(static_cast<char>(i % 152));
        shifted.append(static_cast<char>(i % 152 + 104));
    }
    const QByteArray plain = text;
    const char* buffer = text.data();
    const QByteArray body = Encrypt(std::move(text), examplePassword);
    EXPECT_EQ(body.constData(), buffer);
    EXPECT_EQ(body, shifted);
    EXPECT_EQ(decript(body, examplePassword), plain);
}

TEST(Fingerprint, AverageCodeRoundedDownWithinTheLengthLimits)
{
    EXPECT_EQ(pwd(examplePassword), 99);
    EXPECT_EQ(pwd("ccccg"), 99);                // 499 / 5 = 99.8
    EXPECT_EQ(pwd(hex("FF FF FF FF FE")), 254); // codes are unsigned
    EXPECT_EQ(pwd(QByteArray(32766, static_cast<char>(255))), 255);
    EXPECT_EQ(failureOf([] { return pwd(""); }), FailureNumber::DivisionByZero);
    EXPECT_EQ(failureOf([] { return pwd(QByteArray(32767, 'a')); }), FailureNumber::Overflow);
}

TEST(EncryptedImage, WorkedExampleAndEmptyFileAndBack)
{
    const QByteArray plain = hex("48 69 0D 0A");
    QByteArray filetext = imageOf(plain, examplePassword);
    EXPECT_EQ(filetext, hex("A9 B0 D1 75 72 39 39"));

    EXPECT_EQ(chkencrypted(filetext), FileStatus::Encrypted);
    EXPECT_EQ(chkencrypted(plain), FileStatus::NotEncrypted);
    EXPECT_EQ(chkencrypted(""), FileStatus::NotEncrypted);
    const PasswordCheck check = chkpwd(filetext, examplePassword);
    EXPECT_EQ(check.verdict, Verdict::Match);
    EXPECT_EQ(check.digitcount, 2);
    EXPECT_EQ(filetext, hex("B0 D1 75 72"));
    EXPECT_EQ(decript(std::move(filetext), examplePassword), plain);

    const QByteArray empty = imageOf({}, examplePassword);
    EXPECT_EQ(empty, hex("A9 39 39"));
    EXPECT_EQ(decrypted(empty, examplePassword), QByteArray());
}

TEST(EncryptedImage, TrailerOfOneTwoOrThreeDigitsIsFoundAgain)
{
    const QByteArray plain = "Hi\r\nthere\r\n";
    // shift 45 turns every LF into the digit 7, so the body ends in a digit too
    for (const auto& [password, trailer] : {std::pair{hex("01 01 28 01 01"), "8"},
                                            {hex("00 00 32 00 00"), "10"},
                                            {examplePassword, "99"},
                                            {hex("FA FA 28 FA D2"), "200"}}) {
        const QByteArray file = imageOf(plain, password);
        EXPECT_TRUE(file.endsWith(trailer)) << trailer;
        EXPECT_EQ(decrypted(file, password), plain);
    }
}

// Shifts 35 to 47 turn CR or LF into a digit, so the body holds digits besides the trailer: up
// to 40,000 of them in the last text, more than a 16-bit count can hold.
TEST(PasswordCheck, RoundTripsUnderShiftsThatPutDigitsIntoTheBody)
{
    const QByteArray texts[] = {"Hi\r\n", "Dear Sir,\r\n\r\nThe total is 1,024.50 (page 7).\r\n",
                                QByteArray("\r\n").repeated(20000)};
    for (int shift = 35; shift <= 47; ++shift) {
        for (QByteArray password : {QByteArray("a0~ a"), QByteArray("0~ a0~ a")}) {
            password[2] = static_cast<char>(shift - password.size());
            for (const QByteArray& plain : texts) {
                SCOPED_TRACE(testing::Message() << "password " << password.toHex().constData()
                                                << " text " << plain.left(9).toHex().constData());
                const QByteArray file = imageOf(plain, password);
                EXPECT_EQ(decrypted(file, password), plain);
                EXPECT_NE(decryptedByDigitCount(file, password), plain);
            }
        }
    }
}

TEST(PasswordCheck, WrongPasswordLeavesTheLoadedTextAlone)
{
    const QByteArray file = imageOf("Hi\r\n", examplePassword);
    // The first two share the fingerprint 99 but not the shift.
    for (const QByteArray& password :
         {QByteArray("dcbcc"), hex("3D 3D FA 3D 3E"), QByteArray("cccck")}) {
        QByteArray filetext = file;
        const PasswordCheck check = chkpwd(filetext, password);
        EXPECT_EQ(check.verdict, Verdict::WrongPassword) << password.toHex().constData();
        EXPECT_EQ(check.digitcount, 0);
        EXPECT_EQ(filetext, file);
    }
    EXPECT_EQ(pwd("dcbcc") + pwd(hex("3D 3D FA 3D 3E")), 2 * 99);
    // The trailer 199 ends in 99 and its 1 is an LF shifted by 39, but no shifted CR precedes it.
    QByteArray filetext = imageOf("Hi\r\n", hex("E0 E0 63 E0 E0"));
    EXPECT_EQ(chkpwd(filetext, hex("73 73 22 73 74")).verdict, Verdict::WrongPassword);
}

TEST(PasswordCheck, Failures)
{
    const auto failure = [](QByteArray filetext, const QByteArray& password) {
        return failureOf([&] { return chkpwd(filetext, password); });
    };
    const auto typeMismatch = FailureNumber::TypeMismatch;
    EXPECT_EQ(failure(hex("A9"), examplePassword), typeMismatch);
    EXPECT_EQ(failure("", examplePassword), typeMismatch);
    EXPECT_EQ(failure(hex("A9 B0 D1 39 20"), examplePassword), typeMismatch);
    EXPECT_EQ(failure(hex("A9 39 78"), ""), typeMismatch); // before the password's own failures
    EXPECT_EQ(failure(hex("A9 39"), ""), FailureNumber::DivisionByZero);
    // A body needs the password's third character for its shift; a bare trailer does not.
    EXPECT_EQ(failure(hex("A9 B0 D1 39 39"), "c"), FailureNumber::IllegalCharacter);
    EXPECT_EQ(failure(hex("A9 39 39"), "c"), std::nullopt);
}

// Random passwords, each with a twin of the same length, third character and fingerprint; the
// example password's twin and cousins, which share only its fingerprint. Where the digit-count
// check restored the text, this one restores it too; and it restores nothing but the text.
TEST(PasswordCheck, DecryptsWhatTheDigitCountCheckDecryptedAndNothingElse)
{
    std::vector<QByteArray> passwords = {examplePassword, "cdcdb", "dcbcc", "bcdcc"};
    // the example password with itself, at least, restores the text both ways
    std::mt19937 random(1729);
    for (int family = 0; family < 20; ++family) {
        QByteArray password(5 + static_cast<int>(random() % 8), ' ');
        for (char& c : password)
            c = static_cast<char>(33 + random() % 93);
        passwords.push_back(password);
        std::swap(password[0], password.back());
        passwords.push_back(password);
    }
    for (const QByteArray& encryptedUnder : passwords) {
        for (const QByteArray& plain : {QByteArray(), QByteArray("Dear Sir,\r\n\r\nYours.\r\n")}) {
            const QByteArray file = imageOf(plain, encryptedUnder);
            for (const QByteArray& typed : passwords) {
                const std::optional<QByteArray> restored = decrypted(file, typed);
                const bool restoredBefore = decryptedByDigitCount(file, typed) == plain;
                EXPECT_TRUE(restored ? *restored == plain : !restoredBefore)
                    << encryptedUnder.constData() << " typed " << typed.constData();
            }
        }
    }
}

} // namespace
} // namespace cindral::cipher
