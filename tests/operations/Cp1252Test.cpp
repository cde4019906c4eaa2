#include "operations/Cp1252.h"

#include <QString>
#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace cp1252 = cindral::cp1252;

namespace {

TEST(Cp1252, EncodesTheCharactersOfThePage)
{
    const struct
    {
        QString text;
        QByteArray bytes;
    } rows[] = {
        {QStringLiteral("Secret12"), "Secret12"},
        {QStringLiteral("\u20AC"), "\x80"},
        {QStringLiteral("\u00E9\u00F1\u00DC\u00FF\u00A0"), "\xE9\xF1\xDC\xFF\xA0"},
        {QStringLiteral("\u0160\u0152\u017D\u2122\u0178"), "\x8A\x8C\x8E\x99\x9F"},
        {QStringLiteral("\u0081\u008D\u008F\u0090\u009D"), "\x81\x8D\x8F\x90\x9D"},
        {QString(), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        EXPECT_EQ(cp1252::encode(row.text), std::optional<QByteArray>(row.bytes));
    }
}

TEST(Cp1252, RefusesCharactersOutsideThePage)
{
    const QString outside[] = {QStringLiteral("\u0100"),     QStringLiteral("abc\u0100"),
                               QStringLiteral("\U0001F600"), QStringLiteral("\u0080"),
                               QStringLiteral("\u0082"),     QStringLiteral("\u20AD")};
    for (const QString& text : outside) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(cp1252::encode(text), std::nullopt);
        EXPECT_FALSE(cp1252::canEncode(text.back()));
    }
}

// The page is a one-to-one map: exactly 256 characters encode, each to a byte of its own.
TEST(Cp1252, MapsExactlyOneCharacterToEveryByte)
{
    std::set<unsigned char> bytes;
    int encodable = 0;
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        const QChar ch(static_cast<char16_t>(code));
        const std::optional<QByteArray> encoded = cp1252::encode(QStringView(&ch, 1));
        ASSERT_EQ(cp1252::canEncode(ch), encoded.has_value());
        if (!encoded)
            continue;
        ++encodable;
        ASSERT_EQ(encoded->size(), 1);
        bytes.insert(static_cast<unsigned char>(encoded->front()));
    }
    EXPECT_EQ(encodable, 256);
    EXPECT_EQ(bytes.size(), 256u);
}

} // namespace
