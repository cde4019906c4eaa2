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

// What a system colour is drawn as against the fixed colour it is paired with: text must stand
// out further to be read than a line to be seen.
enum class Drawn
{
    Text,
    Line,
};

// The colour of the application palette's role that means the same thing, unless it would
// barely show against `fixed` (a dark theme's near-white button text under cream text, say):
// then the value it had on the classic light desktop, where every pair was chosen to show.
[[nodiscard]] QColor systemColour(SystemColour colour, const QColor& fixed, Drawn drawn);

// How far two colours stand apart to the eye: the ratio of their relative luminances, each
// lightened by 0.05 for flare, from 1 (alike) to 21 (black and white).
[[nodiscard]] double contrastRatio(const QColor& one, const QColor& other);

} // namespace cindral::ui
