// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/Cp1252.h"

#include <QString>
#include <gtest/gtest.h>
#include <optional>
#include <utility>

namespace {

// The bytes the page leaves free stand for the same code points; 0x80 stands for the euro sign.
TEST(Cp1252, EncodesTheCharactersOfThePageAndNothingElse)
{
    const std::pair<QStringView, std::optional<QByteArray>> rows[] = {
        {u"Secret12", "Secret12"},
        {u"\u20AC\u00E9\u00FF\u00A0\u0160\u0152\u017D\u2122\u0178\u2018\u2019",
         "\x80\xE9\xFF\xA0\x8A\x8C\x8E\x99\x9F\x91\x92"},
        {u"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"},
        {u"abc\u0100", std::nullopt},
        {u"\U0001F600", std::nullopt},
        {u"\u0080", std::nullopt},
    };
    for (const auto& [text, bytes] : rows) {
        EXPECT_EQ(cindral::cp1252::encode(text), bytes) << text.toString().toStdString();
        EXPECT_EQ(cindral::cp1252::canEncode(text.back()), bytes.has_value());
    }
}

} // namespace
