// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

namespace cindral::ui {

// What a screen reader says for a control: its name and, if given, a short description. The
// control's own caption or text is left as it is.
inline void describe(QWidget& control, const QString& name, const QString& description = {})
{
    control.setAccessibleName(name);
    if (!description.isEmpty())
        control.setAccessibleDescription(description);
}

} // namespace cindral::ui
