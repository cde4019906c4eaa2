// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayList>

namespace cindral {

// A program's arguments, told apart as both programs read them: an option begins with '-' (a
// lone "-" does not) and may stand anywhere before the first "--", which ends the options and is
// dropped; every other argument is an operand. No option takes a value. Both keep their bytes.
struct SplitArguments
{
    QByteArrayList options;
    QByteArrayList operands;
};

// `arguments` are those after the program's name.
[[nodiscard]] SplitArguments splitArguments(const QByteArrayList& arguments);

} // namespace cindral
