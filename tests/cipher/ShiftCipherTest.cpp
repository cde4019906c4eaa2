#include "cipher/ShiftCipher.h"

#include "cipher/CipherTestSupport.h"

#include <gtest/gtest.h>
#include <utility>

namespace cindral::cipher {
namespace {

using test::bytes;
using test::examplePassword;

constexpr auto illegalCharacter = FailureNumber::IllegalCharacter;

test::Thrown encrypting(const QByteArray& text, const QByteArray& password)
{
    return test::thrownBy([&] { return Encrypt(text, password); });
}

test::Thrown decrypting(const QByteArray& text, const QByteArray& password)
{
    return test::thrownBy([&] { return decript(text, password); });
}

TEST(ShiftCipher, WorkedExampleShiftsEveryCodeByThirdCharacterPlusLength)
{
    EXPECT_EQ(shiftOf(examplePassword), 104);
    const QByteArray body = Encrypt(bytes({0x48, 0x69, 0x0D, 0x0A}), examplePassword);
    EXPECT_EQ(body, bytes({0xB0, 0xD1, 0x75, 0x72}));
    EXPECT_EQ(decript(body, examplePassword), bytes({0x48, 0x69, 0x0D, 0x0A}));
}

TEST(ShiftCipher, CodesMustStayWithin0To255)
{
    { // shift 104
        EXPECT_EQ(Encrypt(bytes({151}), examplePassword), bytes({255}));
        EXPECT_EQ(encrypting(bytes({151, 152}), examplePassword).number, illegalCharacter);
        EXPECT_EQ(decript(bytes({104}), examplePassword), bytes({0}));
        EXPECT_EQ(decrypting(bytes({200, 103}), examplePassword).number, illegalCharacter);
    }
    { // shift 131
        const QByteArray nineCharacters = "abzdefghi";
        ASSERT_EQ(shiftOf(nineCharacters), 131);
        EXPECT_EQ(Encrypt(bytes({124}), nineCharacters), bytes({255}));
        EXPECT_EQ(encrypting(bytes({125}), nineCharacters).number, illegalCharacter);
        EXPECT_EQ(encrypting(bytes({126}), nineCharacters).number, illegalCharacter);
    }
    { // shift 255: only code 0 fits
        const QByteArray password = bytes({1, 2, 250, 4, 5});
        EXPECT_EQ(Encrypt(bytes({0, 0}), password), bytes({255, 255}));
        EXPECT_EQ(decript(bytes({255, 255}), password), bytes({0, 0}));
        EXPECT_EQ(encrypting(bytes({0, 1}), password).number, illegalCharacter);
        EXPECT_EQ(decrypting(bytes({255, 254}), password).number, illegalCharacter);
    }
    { // shift 261, which reduced modulo 256 would let every code through
        const QByteArray password = bytes({1, 2, 255, 4, 5, 6});
        ASSERT_EQ(shiftOf(password), 261);
        EXPECT_EQ(encrypting(bytes({0}), password).number, illegalCharacter);
        EXPECT_EQ(decrypting(bytes({255}), password).number, illegalCharacter);
    }
}

TEST(ShiftCipher, FailureNamesTheFirstOffendingCharacterWhereverItIs)
{
    for (const qsizetype length : {1, 1023, 1024, 1025, 16383, 16384, 16385, 40000}) {
        SCOPED_TRACE(length);
        const std::string where = "character " + std::to_string(length) + " ";
        QByteArray text(length, 'a');
        text[length - 1] = static_cast<char>(200);
        EXPECT_NE(encrypting(text, examplePassword).what.find(where), std::string::npos);
        QByteArray body(length, static_cast<char>(200));
        body[length - 1] = 'a'; // 97 < 104
        EXPECT_NE(decrypting(body, examplePassword).what.find(where), std::string::npos);
    }
    QByteArray twoOffenders(40000, 'a');
    twoOffenders[30000] = static_cast<char>(160);
    twoOffenders[20000] = static_cast<char>(152);
    EXPECT_NE(encrypting(twoOffenders, examplePassword).what.find("character 20001 "),
              std::string::npos);
}

TEST(ShiftCipher, EveryCodeRoundTripsAtEveryLength)
{
    const QByteArray password = bytes({'x', 'y', 0, 'z', 'w'}); // shift 5
    QByteArray plain;
    QByteArray shifted;
    for (int code = 0; code <= 250; ++code) {
        plain.append(static_cast<char>(code));
        shifted.append(static_cast<char>(code + 5));
    }
    for (qsizetype length = 0; length <= plain.size(); ++length) {
        ASSERT_EQ(Encrypt(plain.first(length), password), shifted.first(length));
        ASSERT_EQ(decript(shifted.first(length), password), plain.first(length));
    }
    QByteArray longText; // several of the pieces the shift works on at a time
    while (longText.size() < 3 * 16384 + 77)
        longText.append(plain);
    const QByteArray body = Encrypt(longText, password);
    for (qsizetype i = 0; i < longText.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(body[i]), (i % plain.size()) + 5) << "at " << i;
    EXPECT_EQ(decript(body, password), longText);
}

TEST(ShiftCipher, OnlyLengthAndThirdCharacterOfThePasswordMatter)
{
    const QByteArray text = "The quick brown fox\r\n";
    EXPECT_EQ(Encrypt(text, "ab#de"), Encrypt(text, "zy#!~"));
    EXPECT_EQ(decript(Encrypt(text, "ab#de"), "zy#!~"), text);
    EXPECT_NE(Encrypt(text, "ab#de"), Encrypt(text, "ab#def"));
}

TEST(ShiftCipher, PasswordsWithoutThirdCharacterShiftOnlyEmptyTexts)
{
    for (const QByteArray& password : {QByteArray(), QByteArray("a"), QByteArray("ab")}) {
        SCOPED_TRACE(password.size());
        EXPECT_TRUE(Encrypt(QByteArray(), password).isEmpty());
        EXPECT_TRUE(decript(QByteArray(), password).isEmpty());
        EXPECT_EQ(encrypting("x", password).number, illegalCharacter);
        EXPECT_EQ(decrypting("x", password).number, illegalCharacter);
    }
}

TEST(ShiftCipher, MovedTextIsShiftedInPlaceAndSharedTextIsLeftAlone)
{
    QByteArray text(1000, 'a');
    const char* buffer = text.constData();
    const QByteArray body = Encrypt(std::move(text), examplePassword);
    EXPECT_EQ(body.constData(), buffer);
    EXPECT_EQ(decript(body, examplePassword), QByteArray(1000, 'a'));
    EXPECT_EQ(body, QByteArray(1000, static_cast<char>('a' + 104)));

    const QByteArray shared = bytes({1, 2, 200});
    EXPECT_EQ(encrypting(shared, examplePassword).number, illegalCharacter);
    EXPECT_EQ(shared, bytes({1, 2, 200}));
}

} // namespace
} // namespace cindral::cipher
