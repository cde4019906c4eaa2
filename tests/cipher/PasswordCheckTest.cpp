#include "cipher/CipherTestSupport.h"
#include "cipher/EncryptedImage.h"
#include "cipher/Failure.h"
#include "cipher/Fingerprint.h"
#include "cipher/ShiftCipher.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace cindral::cipher {
namespace {

using test::bytes;
using test::examplePassword;
using test::joined;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<QByteArray> encryptedFile(const QByteArray& plain, const QByteArray& password)
{
    try {
        return joined(EncryptedImage(Encrypt(plain, password), pwd(password)));
    } catch (const Failure&) {
        return std::nullopt;
    }
}

// The whole decryption as the tool does it; nullopt for a wrong password.
std::optional<QByteArray> decrypted(QByteArray filetext, const QByteArray& password)
{
    if (chkpwd(filetext, password).verdict == Verdict::WrongPassword)
        return std::nullopt;
    return decript(std::move(filetext), password);
}

// The older check, kept here to compare against: every digit of the loaded text counts towards
// the trailer's length, and only the fingerprints are compared.
std::optional<QByteArray> decryptedByDigitCount(QByteArray filetext, const QByteArray& password)
{
    const auto digits = std::count_if(filetext.begin(), filetext.end(), isDigit);
    if (digits == 0 || digits > 32767)
        return std::nullopt;
    QByteArray taken = filetext.last(digits);
    if (!std::all_of(taken.begin(), taken.end(), isDigit))
        return std::nullopt;
    while (taken.startsWith('0'))
        taken.remove(0, 1);
    if (taken.size() > 3 || taken.toInt() != pwd(password))
        return std::nullopt;
    filetext.chop(digits);
    filetext.remove(0, 1);
    try {
        return decript(std::move(filetext), password);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

std::optional<FailureNumber> checkFailure(QByteArray filetext, const QByteArray& password)
{
    return test::thrownBy([&] { return chkpwd(filetext, password); }).number;
}

QByteArray passwordOfShift(int shift, qsizetype length, char filler)
{
    QByteArray password(length, filler);
    password[2] = static_cast<char>(shift - length);
    return password;
}

const std::vector<QByteArray> multiLineTexts = {
    "Hi\r\n",
    "\r\n",
    "\r\n\r\n\r\n",
    "Dear Sir,\r\n\r\nThe total is 1,024.50 (see page 7).\r\n",
    "tab\there\r\n~~~ last line ~~~\r\n",
};

TEST(PasswordCheck, RoundTripsUnderShiftsThatPutDigitsIntoTheBody)
{
    for (int shift = 35; shift <= 47; ++shift) {
        std::vector<QByteArray> passwords;
        for (const char filler : {'a', '0', '~', ' ', 'Z'}) {
            passwords.push_back(passwordOfShift(shift, 5, filler));
            passwords.push_back(passwordOfShift(shift, 8, filler));
        }
        passwords.push_back(passwordOfShift(shift, 3, 'x'));
        for (const QByteArray& password : passwords) {
            for (const QByteArray& plain : multiLineTexts) {
                SCOPED_TRACE(testing::Message()
                             << "shift " << shift << " password " << password.toHex().constData()
                             << " text " << plain.constData());
                const QByteArray file = encryptedFile(plain, password).value();
                EXPECT_EQ(decrypted(file, password), plain);
                // the body holds a shifted CR or LF that reads as a digit
                EXPECT_NE(decryptedByDigitCount(file, password), plain);
            }
        }
    }
    for (const QByteArray password : {"ab cd", "ab!cd", "ab#cd", "pa$$word"}) {
        const QByteArray plain = multiLineTexts[3];
        EXPECT_EQ(decrypted(encryptedFile(plain, password).value(), password), plain)
            << password.constData();
    }
}

TEST(PasswordCheck, WrongPasswordsLeaveTheLoadedTextAlone)
{
    const QByteArray file = encryptedFile("Hi\r\n", examplePassword).value();
    const QByteArray sameFingerprintOtherShift = "dcbcc";
    // the shifted CR LF would be no character at all
    const QByteArray sameFingerprintHugeShift = bytes({61, 61, 250, 61, 62});
    ASSERT_EQ(pwd(sameFingerprintOtherShift), 99);
    ASSERT_EQ(pwd(sameFingerprintHugeShift), 99);
    for (const QByteArray& password : {sameFingerprintOtherShift, sameFingerprintHugeShift,
                                       QByteArray("cccck"), QByteArray("9cccc"), QByteArray("a")}) {
        QByteArray filetext = file;
        const PasswordCheck check = chkpwd(filetext, password);
        EXPECT_EQ(check.verdict, Verdict::WrongPassword) << password.constData();
        EXPECT_EQ(check.digitcount, 0);
        EXPECT_EQ(filetext, file);
    }
    // The trailer 199 ends in 99, and its 1 is an LF shifted by 39, but no shifted CR precedes it.
    QByteArray filetext = encryptedFile("Hi\r\n", bytes({224, 224, 99, 224, 224})).value();
    EXPECT_EQ(chkpwd(filetext, bytes({115, 115, 34, 115, 116})).verdict, Verdict::WrongPassword);
}

TEST(PasswordCheck, Failures)
{
    { // no trailer
        EXPECT_EQ(checkFailure(bytes({0xA9}), examplePassword), FailureNumber::TypeMismatch);
        EXPECT_EQ(checkFailure({}, examplePassword), FailureNumber::TypeMismatch);
        EXPECT_EQ(checkFailure(bytes({0xA9, 0xB0, 0xD1, '9', ' '}), examplePassword),
                  FailureNumber::TypeMismatch);
        EXPECT_EQ(checkFailure(bytes({0xA9, '9', 'x'}), QByteArray()), FailureNumber::TypeMismatch);
    }
    { // the typed password's own
        EXPECT_EQ(checkFailure(bytes({0xA9, '9'}), QByteArray()), FailureNumber::DivisionByZero);
        EXPECT_EQ(checkFailure(bytes({0xA9, '9', '7'}), QByteArray(32767, 'a')),
                  FailureNumber::Overflow);
        // a body needs a third character for its shift; a bare trailer does not
        EXPECT_EQ(checkFailure(bytes({0xA9, 0xB0, 0xD1, '9', '9'}), "c"),
                  FailureNumber::IllegalCharacter);
        QByteArray bareTrailer = bytes({0xA9, '9', '9'});
        EXPECT_EQ(chkpwd(bareTrailer, "c").verdict, Verdict::Match);
        EXPECT_TRUE(bareTrailer.isEmpty());
    }
}

TEST(PasswordCheck, BodyOfManyDigitsDecrypts)
{
    const QByteArray password = passwordOfShift(40, 5, 'q'); // CR and LF both become digits
    QByteArray plain;
    for (int line = 0; line < 20000; ++line)
        plain.append("\r\n");
    EXPECT_EQ(decrypted(encryptedFile(plain, password).value(), password), plain);
}

TEST(PasswordCheck, StripsInPlaceWithoutCopying)
{
    QByteArray filetext = encryptedFile(QByteArray(10000, 'a') + "\r\n", examplePassword).value();
    const char* body = filetext.constData() + 1;
    ASSERT_EQ(chkpwd(filetext, examplePassword).verdict, Verdict::Match);
    EXPECT_EQ(filetext.constData(), body);
}

// Passwords in families: random ones, twins sharing length, third character and fingerprint,
// and cousins sharing only the fingerprint.
std::vector<QByteArray> passwordFamilies()
{
    std::mt19937 random(1729);
    std::uniform_int_distribution<int> length(5, 12);
    std::uniform_int_distribution<int> printable(33, 125);
    std::vector<QByteArray> passwords = {examplePassword, "dcbcc", "cdcdb", "pa$$word", "zzzzz"};
    for (int family = 0; family < 14; ++family) {
        QByteArray password(length(random), ' ');
        for (char& c : password)
            c = static_cast<char>(printable(random));
        QByteArray twin = password;
        std::reverse(twin.begin() + 3, twin.end());
        std::swap(twin[0], twin[1]);
        QByteArray cousin = password;
        ++cousin[2];
        --cousin[0];
        passwords.insert(passwords.end(), {password, twin, cousin});
    }
    return passwords;
}

TEST(PasswordCheck, DecryptsWhateverTheDigitCountCheckDecryptedAndIdentically)
{
    const std::vector<QByteArray> passwords = passwordFamilies();
    const std::vector<QByteArray> texts = {"", "Hi\r\n", "Dear Sir,\r\n\r\nYours.\r\n",
                                           "line one\r\nline two\r\n", "#!/bin/sh\r\n"};
    int comparisons = 0;
    for (const QByteArray& encryptedUnder : passwords) {
        for (const QByteArray& plain : texts) {
            const std::optional<QByteArray> file = encryptedFile(plain, encryptedUnder);
            if (!file)
                continue;
            for (const QByteArray& typed : passwords) {
                if (decryptedByDigitCount(*file, typed) != plain)
                    continue;
                ++comparisons;
                EXPECT_EQ(decrypted(*file, typed), plain)
                    << "encrypted under " << encryptedUnder.constData() << ", typed "
                    << typed.constData();
            }
        }
    }
    EXPECT_GT(comparisons, 300);
}

} // namespace
} // namespace cindral::cipher
