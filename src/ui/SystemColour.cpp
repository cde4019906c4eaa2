// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/SystemColour.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace cindral::ui {

namespace {

QPalette::ColorRole roleOf(SystemColour colour)
{
    switch (colour) {
    case SystemColour::ScrollBar:
    case SystemColour::ActiveBorder:
        // Both default to the face colour of three-dimensional controls.
        return QPalette::Button;
    case SystemColour::TitleBarText:
        // The palette has no title-bar roles; title text stands on the active title colour
        // as highlighted text stands on the highlight.
        return QPalette::HighlightedText;
    case SystemColour::HighlightedText:
        return QPalette::HighlightedText;
    case SystemColour::ButtonText:
        return QPalette::ButtonText;
    }
    return QPalette::WindowText;
}

// The entry's value in the standard scheme of the desktop the windows were drawn on.
QColor classicValue(SystemColour colour)
{
    switch (colour) {
    case SystemColour::ScrollBar:
    case SystemColour::ActiveBorder:
        return {192, 192, 192};
    case SystemColour::TitleBarText:
    case SystemColour::HighlightedText:
        return {255, 255, 255};
    case SystemColour::ButtonText:
        return {0, 0, 0};
    }
    return {0, 0, 0};
}

// The least contrast at which text can be read by most readers, and a line seen.
double leastContrast(Drawn drawn)
{
    return drawn == Drawn::Text ? 4.5 : 3.0;
}

// The share of light a colour gives off, from 0 (black) to 1 (white), on a linear scale.
double relativeLuminance(const QColor& colour)
{
    const auto linear = [](float channel) {
        return channel <= 0.04045F ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

QColor systemColour(SystemColour colour, const QColor& fixed, Drawn drawn)
{
    const QColor themed = QGuiApplication::palette().color(QPalette::Active, roleOf(colour));
    return contrastRatio(themed, fixed) >= leastContrast(drawn) ? themed : classicValue(colour);
}

double contrastRatio(const QColor& one, const QColor& other)
{
    const double first = relativeLuminance(one);
    const double second = relativeLuminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

} // namespace cindral::ui
