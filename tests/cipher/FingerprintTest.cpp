#include "cipher/Fingerprint.h"

#include "cipher/CipherTestSupport.h"

#include <gtest/gtest.h>

namespace cindral::cipher {
namespace {

using test::bytes;

std::optional<FailureNumber> fingerprintFailure(const QByteArray& password)
{
    return test::thrownBy([&] { return pwd(password); }).number;
}

TEST(Fingerprint, AverageCodeRoundedDown)
{
    EXPECT_EQ(pwd(test::examplePassword), 99);
    EXPECT_EQ(pwd("ccccg"), 99); // 499 / 5 = 99.8
    EXPECT_EQ(pwd("a"), 97);
    EXPECT_EQ(pwd(bytes({0, 0, 0, 0, 1})), 0);
    EXPECT_EQ(pwd(bytes({255, 255, 255, 255, 254})), 254); // codes are unsigned
    EXPECT_EQ(pwd(bytes({200, 201})), 200);
}

TEST(Fingerprint, PasswordLengthLimits)
{
    EXPECT_EQ(fingerprintFailure(QByteArray()), FailureNumber::DivisionByZero);
    EXPECT_EQ(pwd(QByteArray(32766, static_cast<char>(255))), 255);
    EXPECT_EQ(fingerprintFailure(QByteArray(32767, 'a')), FailureNumber::Overflow);
    EXPECT_EQ(fingerprintFailure(QByteArray(100000, 'a')), FailureNumber::Overflow);
}

} // namespace
} // namespace cindral::cipher
