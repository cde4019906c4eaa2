// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/SystemColour.h"

#include <QGuiApplication>
#include <QPalette>

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

} // namespace

QColor systemColour(SystemColour colour)
{
    return QGuiApplication::palette().color(QPalette::Active, roleOf(colour));
}

} // namespace cindral::ui
