// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QAbstractButton;
class QLabel;
class QPlainTextEdit;
class QWidget;

// The windows are laid out for particular faces; where one is missing the font machinery falls
// back to another installed face, which may run wider or taller. These shrink a control's font
// a pixel at a time, from the size it was given, until its whole text shows in its box.
namespace cindral::ui::fit {

void shrinkToFit(QLabel& label);
void shrinkToFit(QAbstractButton& button);
void shrinkToFit(QPlainTextEdit& box);

// Every label, button and text box of a window.
void shrinkAllToFit(QWidget& window);

} // namespace cindral::ui::fit
