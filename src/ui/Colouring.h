// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

// Colours of single controls and windows; text boxes keep the desktop's colours unless given
// their own.
namespace cindral::ui {

// Text and background of a window or a label.
void setLabelColours(QWidget& widget, const QColor& text, const QColor& background);

// Text and background of a text box.
void setTextBoxColours(QWidget& widget, const QColor& text, const QColor& background);

} // namespace cindral::ui
