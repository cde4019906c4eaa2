#include "cipher/EncryptedImage.h"

#include "cipher/CipherTestSupport.h"
#include "cipher/Fingerprint.h"
#include "cipher/ShiftCipher.h"

#include <gtest/gtest.h>
#include <ostream>
#include <utility>

namespace cindral::cipher {
namespace {

using test::bytes;
using test::examplePassword;
using test::joined;

TEST(EncryptedImage, WorkedExampleAndBack)
{
    const QByteArray plain = bytes({0x48, 0x69, 0x0D, 0x0A});
    const EncryptedImage image(Encrypt(plain, examplePassword), pwd(examplePassword));
    QByteArray filetext = joined(image);
    EXPECT_EQ(filetext, bytes({0xA9, 0xB0, 0xD1, 0x75, 0x72, 0x39, 0x39}));

    EXPECT_EQ(chkencrypted(filetext), FileStatus::Encrypted);
    const PasswordCheck check = chkpwd(filetext, examplePassword);
    EXPECT_EQ(check.verdict, Verdict::Match);
    EXPECT_EQ(check.digitcount, 2);
    EXPECT_EQ(filetext, bytes({0xB0, 0xD1, 0x75, 0x72}));
    EXPECT_EQ(decript(std::move(filetext), examplePassword), plain);
}

TEST(EncryptedImage, EmptyFileIsMarkerAndTrailerAlone)
{
    QByteArray filetext = joined(EncryptedImage(Encrypt({}, examplePassword), 99));
    EXPECT_EQ(filetext, bytes({0xA9, 0x39, 0x39}));
    EXPECT_EQ(chkpwd(filetext, examplePassword).verdict, Verdict::Match);
    EXPECT_TRUE(filetext.isEmpty());
    EXPECT_TRUE(decript(filetext, examplePassword).isEmpty());
}

TEST(EncryptedImage, PiecesShareTheBodyInsteadOfCopyingIt)
{
    QByteArray body(4096, 'x');
    const char* buffer = body.constData();
    const EncryptedImage image(std::move(body), 120);
    const auto pieces = image.pieces();
    EXPECT_EQ(pieces[0], bytes({0xA9}));
    EXPECT_EQ(pieces[1].data(), buffer);
    EXPECT_EQ(pieces[1].size(), 4096);
    EXPECT_EQ(pieces[2], "120");
}

struct TrailerCase
{
    QByteArray password;
    QByteArray trailer;

    friend void PrintTo(const TrailerCase& value, std::ostream* out)
    {
        *out << "trailer " << value.trailer.constData();
    }
};

class TrailerLength : public testing::TestWithParam<TrailerCase>
{
};

TEST_P(TrailerLength, IsWrittenWithoutLeadingZerosAndFoundAgain)
{
    const auto& [password, trailer] = GetParam();
    const QByteArray plain = "Hi\r\nthere\r\n";
    QByteArray filetext = joined(EncryptedImage(Encrypt(plain, password), pwd(password)));
    EXPECT_TRUE(filetext.endsWith(trailer));
    const PasswordCheck check = chkpwd(filetext, password);
    EXPECT_EQ(check.verdict, Verdict::Match);
    EXPECT_EQ(check.digitcount, trailer.size());
    EXPECT_EQ(decript(std::move(filetext), password), plain);
}

INSTANTIATE_TEST_SUITE_P(
    OneTwoAndThreeDigits, TrailerLength,
    testing::Values(
        // shift 45 turns every LF into the digit '7', so the body ends in a digit too
        TrailerCase{bytes({1, 1, 40, 1, 1}), "8"}, TrailerCase{bytes({0, 0, 45, 0, 0}), "9"},
        TrailerCase{bytes({0, 0, 50, 0, 0}), "10"}, TrailerCase{bytes({1, 1, 80, 1, 1}), "16"},
        TrailerCase{examplePassword, "99"}, TrailerCase{"ddddd", "100"},
        TrailerCase{"zzzzz", "122"}, TrailerCase{bytes({250, 250, 40, 250, 210}), "200"}));

TEST(EncryptedImage, MarkerTestLooksAtTheFirstByteOnly)
{
    EXPECT_EQ(chkencrypted({}), FileStatus::NotEncrypted);
    EXPECT_EQ(chkencrypted(bytes({0xA9})), FileStatus::Encrypted);
    EXPECT_EQ(chkencrypted(bytes({0xA9, 'p', 'l', 'a', 'i', 'n'})), FileStatus::Encrypted);
    EXPECT_EQ(chkencrypted(bytes({'x', 0xA9})), FileStatus::NotEncrypted);
    EXPECT_EQ(chkencrypted(bytes({0xA8})), FileStatus::NotEncrypted);
}

} // namespace
} // namespace cindral::cipher
