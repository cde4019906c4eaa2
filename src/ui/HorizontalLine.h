// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

namespace cindral::ui {

// A line drawn across a window, like a form's line control: a solid bar of one colour.
class HorizontalLine : public QWidget
{
    Q_OBJECT

public:
    HorizontalLine(const QColor& colour, QWidget* parent);

    // From (x1, y) to (x2, y) in twips, `thickness` pixels thick.
    void placeTwips(int x1, int y, int x2, int thickness);
};

} // namespace cindral::ui
