// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Fonts.h"

#include <QStringList>
#include <cmath>

namespace cindral::ui::fonts {

namespace {

// Sizes are set in pixels at 96 dots per inch, so a text keeps its proportion to its box
// whatever resolution the screen reports; Qt scales both on high-density screens.
int pixelsFromPoints(double points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont face(const QString& family, double points, QFont::Weight weight)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelsFromPoints(points));
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

} // namespace

QFont sansSerif(Weight weight)
{
    // Arial's metrics, and a line as tall as MS Sans Serif's: 12 pixels, which the 13-pixel
    // label boxes need.
    return face(QStringLiteral("Liberation Sans"), 8.25,
                weight == Weight::Bold ? QFont::Bold : QFont::Normal);
}

QFont title()
{
    // A hand-lettered face with a real bold; it runs wider than Architecture, so it is set a
    // size smaller to stay inside the title boxes.
    return face(QStringLiteral("Comic Neue"), 24.75, QFont::Bold);
}

QFont symbol()
{
    // Symbol's character 211 is a serif copyright sign; a serif face draws the same sign from
    // its ordinary code.
    return face(QStringLiteral("Liberation Serif"), 8.25, QFont::Normal);
}

QFont instructions()
{
    // The first instruction line is a few pixels too long for its box in the regular width.
    return face(QStringLiteral("Liberation Sans Narrow"), 8.25, QFont::Normal);
}

} // namespace cindral::ui::fonts
