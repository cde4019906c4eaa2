// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/Fingerprint.h"

#include "base/Failure.h"

#include <numeric>

namespace cindral::cipher {

namespace {

// The character count was a 16-bit signed integer.
constexpr qsizetype longestPassword = 32766;

} // namespace

int pwd(QByteArrayView password)
{
    if (password.isEmpty())
        throw Failure(FailureNumber::DivisionByZero, "an empty password has no fingerprint");
    if (password.size() > longestPassword)
        throw Failure(FailureNumber::Overflow, "the password is too long to fingerprint");
    const qint64 codesum =
        std::accumulate(password.begin(), password.end(), qint64{0},
                        [](qint64 sum, char c) { return sum + static_cast<unsigned char>(c); });
    return static_cast<int>(codesum / password.size());
}

} // namespace cindral::cipher
