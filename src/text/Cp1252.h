// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QChar>
#include <QStringView>
#include <optional>

// Passwords become bytes by the Windows-1252 code page, the single-byte page encrypted files
// were made under. A character the page cannot represent is never guessed into a byte.
namespace cindral::cp1252 {

[[nodiscard]] bool canEncode(QChar ch);

// std::nullopt when any character cannot be represented.
[[nodiscard]] std::optional<QByteArray> encode(QStringView text);

} // namespace cindral::cp1252
