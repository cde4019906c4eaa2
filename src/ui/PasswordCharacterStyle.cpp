// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PasswordCharacterStyle.h"

namespace cindral::ui {

int PasswordCharacterStyle::styleHint(StyleHint hint, const QStyleOption* option,
                                      const QWidget* widget, QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_LineEdit_PasswordCharacter:
        return '*';
    case SH_LineEdit_PasswordMaskDelay:
        return 0;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

} // namespace cindral::ui
