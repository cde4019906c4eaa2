// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

// Every font the windows use, in one place. The faces they were designed for (MS Sans Serif,
// Architecture, Symbol) are not on Linux; each stand-in is chosen and sized so that every text
// still shows whole in the box laid out for it.
namespace cindral::ui::fonts {

enum class Weight
{
    Regular,
    Bold,
};

// The dialog font: MS Sans Serif, 8.25 points.
[[nodiscard]] QFont sansSerif(Weight weight = Weight::Regular);
// The program's name in large hand lettering: Architecture, bold, 26.25 points.
[[nodiscard]] QFont title();
// The rights sign: Symbol, 8.25 points.
[[nodiscard]] QFont symbol();
// The instruction lines below the buttons, which must each stay on one line.
[[nodiscard]] QFont instructions();

} // namespace cindral::ui::fonts
