// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <cmath>

// The windows are laid out in twips, 1440 to the logical inch: 15 twips make one
// device-independent pixel, which Qt scales on high-density screens.
namespace cindral::ui {

inline constexpr double twipsPerPixel = 15.0;

[[nodiscard]] inline int twips(int value)
{
    return static_cast<int>(std::lround(value / twipsPerPixel));
}

[[nodiscard]] inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

[[nodiscard]] inline QPoint twipsPoint(int x, int y)
{
    return {twips(x), twips(y)};
}

// Places a control by its left, top, width and height in twips.
inline void placeTwips(QWidget& control, int left, int top, int width, int height)
{
    control.setGeometry(twipsRect(left, top, width, height));
}

} // namespace cindral::ui
