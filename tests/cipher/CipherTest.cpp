// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/Failure.h"
#include "cipher/EncryptedFileLayout.h"
#include "cipher/Fingerprint.h"
#include "cipher/ImageBody.h"
#include "cipher/ShiftCipher.h"
#include "support/ExampleTexts.h"
#include "support/FailureOf.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace cindral::cipher {
namespace {

const int illegal = numbered(FailureNumber::IllegalCharacter);

const auto hex = [](const char* codes) { return QByteArray::fromHex(codes); };

// The shifts work in place; these give the shifted copy.
QByteArray Encrypt(QByteArray text, QByteArrayView password)
{
    cipher::Encrypt(std::span(text.data(), text.size()), password);
    return text;
}

QByteArray decript(QByteArray text, QByteArrayView password)
{
    cipher::decript(std::span(text.data(), text.size()), password);
    return text;
}

QByteArray imageOf(const QByteArray& plain, const QByteArray& password)
{
    return marker + Encrypt(plain, password) + trailerOf(pwd(password));
}

// The whole decryption of an image read at once, the password checked on its end; nullopt for a
// wrong password.
std::optional<QByteArray> decrypted(QByteArray image, const QByteArray& password)
{
    const PasswordCheck check =
        chkpwd(image.last(std::min(image.size(), checkedTailLength)), password);
    if (check.verdict == Verdict::WrongPassword)
        return std::nullopt;
    ImageBody remover(check.digitcount);
    QByteArray body;
    for (const std::span<char> part : remover.remv(image))
        body.append(part.data(), static_cast<qsizetype>(part.size()));
    return decript(body, password);
}

// 40,000 bytes span several of the pieces the shift works on. "abzdefghi" shifts by 122 + 9. The
// shift is never reduced modulo 256; one without a third character shifts only empty texts.
TEST(ShiftAndFingerprint, CodesMustStayWithin0To255AndLengthWithin1To32766)
{
    const QByteArray low(40000, 'a');
    const QByteArray high(40000, '\xC9');
    EXPECT_EQ(Encrypt(low + '\x97', example::password), high + '\xFF');
    EXPECT_EQ(failureOf([&] { return Encrypt(low + '\x98', example::password); }), illegal);
    EXPECT_EQ(decript(high + '\x68', example::password), low + '\0');
    EXPECT_EQ(failureOf([&] { return decript(high + '\x67', example::password); }), illegal);
    EXPECT_EQ(Encrypt(hex("7C"), "abzdefghi"), hex("FF"));
    EXPECT_EQ(failureOf([] { return Encrypt(hex("7D"), "abzdefghi"); }), illegal);
    EXPECT_EQ(failureOf([] { return Encrypt(hex("00"), hex("01 02 FF 04 05 06")); }), illegal);
    // Shifts 3 + 5 and 8 + 5: nothing may become a CR, which the encrypted body never holds.
    EXPECT_EQ(Encrypt(hex("04 06 F7"), hex("61 62 03 63 64")), hex("0C 0E FF"));
    EXPECT_EQ(failureOf([] { return Encrypt(hex("04 05"), hex("61 62 03 63 64")); }), illegal);
    EXPECT_EQ(failureOf([] { return Encrypt(hex("01 00"), hex("61 62 08 63 64")); }), illegal);
    EXPECT_EQ(Encrypt("", "ab"), "");
    EXPECT_EQ(failureOf([] { return Encrypt("x", "ab"); }), illegal);

    // the fingerprint: the average code rounded down, within the length limits
    EXPECT_EQ(pwd(example::password), 99);
    EXPECT_EQ(pwd("ccccg"), 99);                // 499 / 5 = 99.8
    EXPECT_EQ(pwd(hex("FF FF FF FF FE")), 254); // codes are unsigned
    EXPECT_EQ(pwd(QByteArray(32766, static_cast<char>(255))), 255);
    EXPECT_EQ(failureOf([] { return pwd(""); }), numbered(FailureNumber::DivisionByZero));
    EXPECT_EQ(failureOf([] { return pwd(QByteArray(32767, 'a')); }),
              numbered(FailureNumber::Overflow));
}

// Fingerprint 99 but shift 255. The trailer 199 ends in 99 and its 1 is an LF shifted by 39, but
// no shifted CR precedes it. A text not ending in a digit fails before the password's own
// failures. A body needs the password's third character for its shift; a bare trailer does not.
TEST(PasswordCheck, RefusalsAndFailures)
{
    EXPECT_EQ(pwd(hex("3D 3D FA 3D 3E")), 99);
    EXPECT_EQ(decrypted(imageOf(example::plain, example::password), hex("3D 3D FA 3D 3E")),
              std::nullopt);
    EXPECT_EQ(decrypted(imageOf(example::plain, hex("E0 E0 63 E0 E0")), hex("73 73 22 73 74")),
              std::nullopt);

    const auto failure = [](QByteArray filetext, QByteArrayView password) {
        return failureOf([&] { return chkpwd(filetext, password); });
    };
    EXPECT_EQ(failure("", example::password), numbered(FailureNumber::TypeMismatch));
    EXPECT_EQ(failure(hex("A9 39 78"), ""), numbered(FailureNumber::TypeMismatch));
    EXPECT_EQ(failure(hex("A9 39"), ""), numbered(FailureNumber::DivisionByZero));
    EXPECT_EQ(failure(hex("A9 B0 D1 39 39"), "c"), numbered(FailureNumber::IllegalCharacter));
    EXPECT_EQ(failure(hex("A9 39 39"), "c"), 0);
}

} // namespace
} // namespace cindral::cipher
