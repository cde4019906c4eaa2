#include "cipher/ShiftCipher.h"

#include "cipher/CipherTestSupport.h"
#include "cipher/Failure.h"

#include <gtest/gtest.h>
#include <utility>

namespace cindral::cipher {
namespace {

using test::bytes;
using test::examplePassword;

FailureNumber failureOf(auto&& transform)
{
    try {
        (void)transform();
    } catch (const Failure& failure) {
        return failure.number();
    }
    ADD_FAILURE() << "no failure";
    return FailureNumber::OutOfMemory;
}

std::string failureText(auto&& transform)
{
    try {
        (void)transform();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "no failure";
}

TEST(ShiftCipher, WorkedExampleShiftsEveryCodeByThirdCharacterPlusLength)
{
    EXPECT_EQ(shiftOf(examplePassword), 104);
    const QByteArray body = Encrypt(bytes({0x48, 0x69, 0x0D, 0x0A}), examplePassword);
    EXPECT_EQ(body, bytes({0xB0, 0xD1, 0x75, 0x72}));
    EXPECT_EQ(decript(body, examplePassword), bytes({0x48, 0x69, 0x0D, 0x0A}));
}

TEST(ShiftCipher, ShiftIsNeverReducedModulo256)
{
    EXPECT_EQ(shiftOf(bytes({1, 2, 255, 4, 5, 6})), 261);
    EXPECT_EQ(failureOf([] {
                  return Encrypt("\x01", bytes({1, 2, 255}));
              }),
              FailureNumber::IllegalCharacter);
    EXPECT_EQ(failureOf([] {
                  return decript("\xff", bytes({1, 2, 255}));
              }),
              FailureNumber::IllegalCharacter);
}

TEST(ShiftCipher, CodesMustStayWithin0To255)
{
    { // shift 104
        EXPECT_EQ(Encrypt(bytes({151}), examplePassword), bytes({255}));
        EXPECT_EQ(failureOf([] {
                      return Encrypt(bytes({151, 152}), examplePassword);
                  }),
                  FailureNumber::IllegalCharacter);
        EXPECT_EQ(decript(bytes({104}), examplePassword), bytes({0}));
        EXPECT_EQ(failureOf([] {
                      return decript(bytes({200, 103}), examplePassword);
                  }),
                  FailureNumber::IllegalCharacter);
    }
    { // shift 131
        const QByteArray nineCharacters = "abzdefghi";
        ASSERT_EQ(shiftOf(nineCharacters), 131);
        EXPECT_EQ(Encrypt(bytes({124}), nineCharacters), bytes({255}));
        for (const int code : {125, 126})
            EXPECT_EQ(failureOf([&] { return Encrypt(bytes({code}), nineCharacters); }),
                      FailureNumber::IllegalCharacter);
    }
}

TEST(ShiftCipher, FailureNamesTheFirstOffendingCharacterAcrossBlockBoundaries)
{
    for (const qsizetype length : {1, 63, 64, 65, 130, 1000}) {
        SCOPED_TRACE(length);
        QByteArray text(length, 'a');
        text[length - 1] = static_cast<char>(200);
        const std::string where = "character " + std::to_string(length) + " ";
        EXPECT_NE(failureText([&] { return Encrypt(text, examplePassword); }).find(where),
                  std::string::npos);
        QByteArray body(length, static_cast<char>(200));
        body[length - 1] = 'a'; // 97 < 104
        EXPECT_NE(failureText([&] { return decript(body, examplePassword); }).find(where),
                  std::string::npos);
    }
    QByteArray twoOffenders(100, 'a');
    twoOffenders[70] = static_cast<char>(160);
    twoOffenders[10] = static_cast<char>(152);
    EXPECT_NE(
        failureText([&] { return Encrypt(twoOffenders, examplePassword); }).find("character 11 "),
        std::string::npos);
}

TEST(ShiftCipher, EveryCodeRoundTripsAtEveryTextLength)
{
    const QByteArray password = bytes({'x', 'y', 0, 'z', 'w'}); // shift 5
    QByteArray plain;
    for (int code = 0; code <= 250; ++code)
        plain.append(static_cast<char>(code));
    for (qsizetype length = 0; length <= plain.size(); ++length) {
        const QByteArray text = plain.first(length);
        const QByteArray body = Encrypt(text, password);
        ASSERT_EQ(body.size(), length);
        for (qsizetype i = 0; i < length; ++i)
            ASSERT_EQ(static_cast<unsigned char>(body[i]), i + 5) << "at " << i;
        ASSERT_EQ(decript(body, password), text);
    }
}

TEST(ShiftCipher, OnlyLengthAndThirdCharacterOfThePasswordMatter)
{
    const QByteArray text = "The quick brown fox\r\n";
    EXPECT_EQ(Encrypt(text, "ab#de"), Encrypt(text, "zy#!~"));
    EXPECT_EQ(decript(Encrypt(text, "ab#de"), "zy#!~"), text);
    EXPECT_NE(Encrypt(text, "ab#de"), Encrypt(text, "ab#def"));
}

TEST(ShiftCipher, ShortPasswords)
{
    for (const QByteArray& password : {QByteArray(), QByteArray("a"), QByteArray("ab")}) {
        SCOPED_TRACE(password.size());
        EXPECT_TRUE(Encrypt(QByteArray(), password).isEmpty());
        EXPECT_TRUE(decript(QByteArray(), password).isEmpty());
        EXPECT_EQ(failureOf([&] { return Encrypt("x", password); }),
                  FailureNumber::IllegalCharacter);
        EXPECT_EQ(failureOf([&] { return decript("x", password); }),
                  FailureNumber::IllegalCharacter);
        EXPECT_EQ(failureOf([&] { return shiftOf(password); }), FailureNumber::IllegalCharacter);
    }
}

TEST(ShiftCipher, MovedTextIsShiftedInPlaceAndSharedTextIsLeftAlone)
{
    {
        QByteArray text(1000, 'a');
        const char* buffer = text.constData();
        const QByteArray body = Encrypt(std::move(text), examplePassword);
        EXPECT_EQ(body.constData(), buffer);
        QByteArray moved = body;
        const QByteArray plain = decript(std::move(moved), examplePassword);
        EXPECT_EQ(body, QByteArray(1000, static_cast<char>('a' + 104)));
        EXPECT_EQ(plain, QByteArray(1000, 'a'));
    }
    { // a refused text is not touched
        QByteArray text = bytes({1, 2, 200});
        const QByteArray kept = text;
        EXPECT_EQ(failureOf([&] { return Encrypt(std::move(text), examplePassword); }),
                  FailureNumber::IllegalCharacter);
        EXPECT_EQ(kept, bytes({1, 2, 200}));
    }
}

} // namespace
} // namespace cindral::cipher
