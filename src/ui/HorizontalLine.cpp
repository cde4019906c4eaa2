// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/HorizontalLine.h"

#include "ui/Twips.h"

#include <QPalette>

namespace cindral::ui {

HorizontalLine::HorizontalLine(const QColor& colour, QWidget* parent) : QWidget(parent)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
    setAutoFillBackground(true);
}

void HorizontalLine::placeTwips(int x1, int y, int x2, int thickness)
{
    const QPoint from = twipsPoint(x1, y);
    setGeometry(from.x(), from.y(), twips(x2) - from.x(), thickness);
}

} // namespace cindral::ui
