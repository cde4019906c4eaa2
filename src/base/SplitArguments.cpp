// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/SplitArguments.h"

namespace cindral {

SplitArguments splitArguments(const QByteArrayList& arguments)
{
    SplitArguments split;
    bool optionsEnded = false;
    for (const QByteArray& argument : arguments) {
        if (!optionsEnded && argument == "--")
            optionsEnded = true;
        else if (!optionsEnded && argument.startsWith('-') && argument != "-")
            split.options.append(argument);
        else
            split.operands.append(argument);
    }
    return split;
}

} // namespace cindral
