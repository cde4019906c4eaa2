// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Colouring.h"

#include <QPalette>

namespace cindral::ui {

void setLabelColours(QWidget& widget, const QColor& text, const QColor& background)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    widget.setPalette(palette);
}

void setTextBoxColours(QWidget& widget, const QColor& text, const QColor& background)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    widget.setPalette(palette);
}

} // namespace cindral::ui
