// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>

namespace cindral::cipher {

// The password's fingerprint: the sum of its codes divided by its length, rounded down.
// Throws Failure(DivisionByZero) for an empty password and Failure(Overflow) for one of
// 32,767 characters or more (the count was a 16-bit signed integer).
[[nodiscard]] int pwd(QByteArrayView password);

} // namespace cindral::cipher
