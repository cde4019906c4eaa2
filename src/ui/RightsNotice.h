// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace cindral::ui {

// The year and the rights holder, beside the rights sign in the splash and About windows.
[[nodiscard]] inline QString rightsNotice()
{
    return QStringLiteral("2003 the Cindral team");
}

} // namespace cindral::ui
