// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

namespace cindral::ui {

// Entries of the desktop's colour scheme that the windows name by number.
enum class SystemColour : int
{
    ScrollBar = 0,
    TitleBarText = 9,
    ActiveBorder = 10,
    HighlightedText = 14,
    ButtonText = 18,
};

// The colour of the application palette's role that means the same thing.
[[nodiscard]] QColor systemColour(SystemColour colour);

} // namespace cindral::ui
